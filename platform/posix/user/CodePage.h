// The sample's texts are in the Windows ANSI code page of Japanese systems (932); the display
// wants UTF-8.
#pragma once

#include <string>

namespace zvx::platform::user {

// Converts a code-page-932 string to UTF-8; bytes that do not convert become '?'. Null gives "".
std::string AnsiToUtf8(const char* text);

}  // namespace zvx::platform::user
