// The one way the sample tells the user something went wrong: a message box captioned "エラー".
#pragma once

#include "platform/Win32.h"

// Shows the code-page-932 text in a box with an OK button and waits; gives MessageBoxW's result.
// The texts are converted from code page 932 themselves, so they read right whatever the
// system's ANSI code page is.
int ShowErrorMessage(HWND owner, const char* text);
