// The one door to the operating system, for the tree's own code only (never installed). Library
// and sample code include this header and call the Win32 API by its own names; on Windows it is
// the real <windows.h>, elsewhere the project's own declarations of exactly the subset the code
// uses (platform/posix/Win32Api.h, implemented in platform/posix).
//
// The image headers get only their signatures' types, from image/ImageTypes.h; everything else
// (DWORD, RECT, TRUE, the GDI, USER and file functions) comes from here.
#pragma once

#include "image/ImageTypes.h"

#ifdef _WIN32
// mmsystem.h uses windows.h's types, so it comes second.
#include <mmsystem.h>
#else
#include "platform/posix/Win32Api.h"
#endif

// The layouts the code relies on (file headers read and written as bytes, GetObjectA's buffer),
// checked wherever it is built: against Windows' own headers, 64- and 32-bit, and against ours.
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes on Windows");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes on Windows");
static_assert(sizeof(BITMAPINFO) == 44, "BITMAPINFO is 44 bytes on Windows");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD is 4 bytes on Windows");
static_assert(sizeof(BITMAP) == (sizeof(void*) == 8 ? 32 : 24), "BITMAP is 32 bytes on 64-bit Windows, 24 on 32-bit");
static_assert(sizeof(RECT) == 16 && sizeof(POINT) == 8, "RECT and POINT use 32-bit LONGs");
static_assert(sizeof(BY_HANDLE_FILE_INFORMATION) == 52, "BY_HANDLE_FILE_INFORMATION is 52 bytes on Windows");
