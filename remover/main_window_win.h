// The confirmation window `main`: the add-on's name in Label1, OK
// (Command1) to remove it, Cancel (Command2, also Esc) to leave.
#pragma once
#include <windows.h>

#include <string>

constexpr const char* kMainWindowClass = "main";

// Runs when OK is pressed, before the window closes.
using ConfirmHandler = void (*)(const std::string& setupListPath);

// Creates `main` hidden, sized and centred for the screen, and keeps the
// setup list path for the window's life. Null when the window can't be made.
HWND CreateMainWindow(HINSTANCE instance, const std::string& setupListPath,
                      ConfirmHandler onConfirm);

void SetLabel1Text(const std::string& text);

// Shows the window with OK focused and runs it until it closes.
int RunMainWindow(int showCommand);

// Ends the window without running the handler (start-up checks failed).
void DiscardMainWindow();
