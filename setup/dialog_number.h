// How the setup dialogs read a number typed into an edit box: an unsigned
// decimal number, as the platform's GetDlgItemInt reads one without a sign.
// Kept portable so that every build reads "-3" or "12abc" the same way; the
// Wine versions of GetDlgItemInt accept both.
#pragma once
#include <cstdint>

// Reads `text` as blanks, one or more decimal digits, blanks. False (and 0
// in `value`) for a sign, any other character, no digit at all, or a value
// above 4294967295; `text` may be null.
bool ReadUnsignedNumber(const char* text, uint32_t* value);
