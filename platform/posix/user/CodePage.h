// Text conversions. The sample's texts are in the Windows ANSI code page of Japanese systems
// (932), which is this layer's ANSI code page; the display wants UTF-8.
#pragma once

#include <string>

#include "platform/Win32.h"

namespace zvx::platform::user {

constexpr UINT kAnsiCodePage = 932;

// UTF-16 text converted from code page 932 to UTF-8. Code page 932 has no character outside the
// Basic Multilingual Plane, so the text holds no surrogates.
std::string Utf16ToUtf8(const WCHAR* text);

// An ANSI string to UTF-16 as MultiByteToWideChar converts it.
std::u16string AnsiToUtf16(const char* text);

// An ANSI string to UTF-8, by way of AnsiToUtf16.
std::string AnsiToUtf8(const char* text);

}  // namespace zvx::platform::user
