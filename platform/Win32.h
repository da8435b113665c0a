/// @file
/// The one door to the operating system. Library and sample code include this header and call
/// the Win32 API by its own names; on Windows it is the real <windows.h>, elsewhere the
/// project's own declarations of exactly the subset the code uses (implemented in platform/posix).
///
/// The image headers need from it only the types of their signatures: HBITMAP, HDC, COLORREF,
/// BITMAPINFO and BYTE. On other systems platform/posix/Win32Api.h declares them, and the GDI
/// and file functions the library calls, with Windows' names, values and 64-bit Windows'
/// layouts; the library itself implements those functions there (a software GDI on DIB
/// sections and memory DCs). Each declaration means what the Win32 declaration of the same
/// name means, so they are not described again in this reference.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

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
