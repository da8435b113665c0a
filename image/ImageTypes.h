/// @file
/// The library's vocabulary: the pixel and colour key types, the system types the image headers'
/// signatures use, and the export mark of the library's classes.
///
/// Pixel, ColorKey and COLORKEY_NONE are declared in namespace zvx and, unless the program
/// defines ZVX_NO_GLOBAL_NAMES first, globally too.
///
/// On Windows this is <windows.h> (with NOMINMAX), as Windows programmers expect; its names are
/// global, as that header declares them, and namespace zvx has them too. Elsewhere it declares
/// only what the signatures need, with Windows' names, widths and layouts: in namespace zvx the
/// handle types HBITMAP and HDC, COLORREF and BYTE, which are global names as well unless the
/// program defines ZVX_NO_GLOBAL_NAMES first; and the structures BITMAPINFO, BITMAPINFOHEADER and
/// RGBQUAD, which are global (part of the library's binary interface) with zvx:: names beside.
/// No other Win32 name and no macro but ZVX_-prefixed ones, so a program's own DWORD, POINT,
/// ERROR or LineTo stay its own. The library's own GDI and file calls there are internal.
#pragma once

#include <cstdint>

// A program's own macros of these names do not reach the declarations below.
#pragma push_macro("BYTE")
#pragma push_macro("COLORREF")
#undef BYTE
#undef COLORREF

/// @def ZVX_API
/// Marks what the library's binary offers its users: the image classes. A shared build exports
/// these and hides the rest; a static build needs no marks. On Windows the library's own build
/// defines ZVX_BUILDING_SHARED (export from the DLL) and its users define ZVX_SHARED (import from
/// it; the CMake package and zorvexa.pc say so). A user who leaves ZVX_SHARED out still links,
/// through the import library and the linker's auto-import.
#if defined(_WIN32)
#if defined(ZVX_BUILDING_SHARED)
#define ZVX_API __declspec(dllexport)
#elif defined(ZVX_SHARED)
#define ZVX_API __declspec(dllimport)
#else
#define ZVX_API
#endif
#else
#define ZVX_API __attribute__((visibility("default")))
#endif

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zvx {
using ::BITMAPINFO;
using ::BITMAPINFOHEADER;
using ::BYTE;
using ::COLORREF;
using ::HBITMAP;
using ::HDC;
using ::RGBQUAD;
}  // namespace zvx
#else
namespace zvx {

/// An 8-bit unsigned value: one colour channel.
typedef std::uint8_t BYTE;
/// GDI's colour word 0x00BBGGRR: red in the low byte.
typedef std::uint32_t COLORREF;

/// @cond
// What the handles point at: never defined.
struct BitmapHandle;
struct DcHandle;
/// @endcond

/// A GDI bitmap; the distinct pointer types keep a bitmap from being passed where a DC is wanted.
typedef BitmapHandle* HBITMAP;
/// A GDI device context.
typedef DcHandle* HDC;

}  // namespace zvx

/// The header of a device-independent bitmap, 40 bytes, as Windows lays it out.
struct BITMAPINFOHEADER {
    std::uint32_t biSize;          ///< the structure's size, 40
    std::int32_t biWidth;          ///< the width in pixels
    std::int32_t biHeight;         ///< the height in rows; negative for rows stored top-down
    std::uint16_t biPlanes;        ///< always 1
    std::uint16_t biBitCount;      ///< bits per pixel: 32 for every image of the library
    std::uint32_t biCompression;   ///< 0 (BI_RGB): no compression
    std::uint32_t biSizeImage;     ///< the pixel block's size in bytes; 0 allowed for BI_RGB
    std::int32_t biXPelsPerMeter;  ///< horizontal resolution; 0 in the library's headers
    std::int32_t biYPelsPerMeter;  ///< vertical resolution; 0 in the library's headers
    std::uint32_t biClrUsed;       ///< colour table entries used; 0
    std::uint32_t biClrImportant;  ///< colour table entries needed; 0
};

/// One colour table entry.
struct RGBQUAD {
    zvx::BYTE rgbBlue;      ///< blue
    zvx::BYTE rgbGreen;     ///< green
    zvx::BYTE rgbRed;       ///< red
    zvx::BYTE rgbReserved;  ///< 0
};

/// A DIB's header and its first colour table entry, 44 bytes: what an image hands GDI to
/// describe its pixel array.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;  ///< the header
    RGBQUAD bmiColors[1];        ///< unused by 32-bit images; zero
};

namespace zvx {
using ::BITMAPINFO;
using ::BITMAPINFOHEADER;
using ::RGBQUAD;
}  // namespace zvx

#ifndef ZVX_NO_GLOBAL_NAMES
using zvx::BYTE;
using zvx::COLORREF;
using zvx::HBITMAP;
using zvx::HDC;
#endif
#endif

// Nor do macros of the library's own names.
#pragma push_macro("Pixel")
#pragma push_macro("ColorKey")
#undef Pixel
#undef ColorKey

namespace zvx {

/// A pixel: 0x00RRGGBB, blue in bits 0-7, green in bits 8-15, red in bits 16-23. Bits 24-31 are
/// not a channel.
typedef std::uint32_t Pixel;

/// An image's transparent colour: a Pixel value compared with GetColor (top byte cleared), or -1
/// for none. A key whose top byte is set therefore never matches any pixel.
typedef std::int32_t ColorKey;
/// The ColorKey of an image without a transparent colour; every new image has it.
constexpr ColorKey COLORKEY_NONE = -1;

}  // namespace zvx

#ifndef ZVX_NO_GLOBAL_NAMES
using zvx::ColorKey;
using zvx::COLORKEY_NONE;
using zvx::Pixel;
#endif

#pragma pop_macro("ColorKey")
#pragma pop_macro("Pixel")

#pragma pop_macro("COLORREF")
#pragma pop_macro("BYTE")
