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
#include <mmsystem.h>
#else
#include "platform/posix/Win32Api.h"
#endif
