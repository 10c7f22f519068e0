// Control ids of the confirmation window `main`. The buttons carry the
// standard ids so that the dialog keyboard handling maps Esc to Cancel.
#pragma once

#define IDC_LABEL1 100
#define IDC_COMMAND1 1 /* IDOK */
#define IDC_COMMAND2 2 /* IDCANCEL */
