// The two pixel layouts of a row that the layer reads, one type each, and the one place that
// picks between them. Pixels travel as 32-bit words 0x??RRGGBB:
//   Format32  one word per pixel, kept whole, top byte included: every DC's pixels (an image's
//             section, a window's surface) and the images' own DIBs;
//   Format24  three bytes per pixel, blue, green, red: a DIB that a derived image's header may
//             describe, read by SetDIBitsToDevice.
// A call picks the source's format once with WithFormat and then works through its rows with the
// chosen type's functions, inlined, with no per-pixel choice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/Color.h"

namespace zvx::gdi {

struct Format32 {
    static constexpr std::ptrdiff_t kBytesPerPixel = 4;
    static std::uint32_t Read(const std::uint8_t* row, std::ptrdiff_t x)
    {
        std::uint32_t word;
        std::memcpy(&word, row + x * 4, 4);
        return word;
    }
    static void Write(std::uint8_t* row, std::ptrdiff_t x, std::uint32_t word) { std::memcpy(row + x * 4, &word, 4); }
};

struct Format24 {
    static constexpr std::ptrdiff_t kBytesPerPixel = 3;
    static std::uint32_t Read(const std::uint8_t* row, std::ptrdiff_t x) { return color::ReadBgr(row + x * 3); }
};

// Calls fn with the format of a layout's bitsPerPixel (24 or 32) and returns its result.
template <class Fn>
decltype(auto) WithFormat(int bitsPerPixel, Fn&& fn)
{
    if (bitsPerPixel == 32) return fn(Format32{});
    return fn(Format24{});
}

// count pixels from column fromX of one row to column toX of a 32-bit row.
template <class From>
void CopyPixels(const std::uint8_t* from, std::ptrdiff_t fromX, std::uint8_t* to, std::ptrdiff_t toX,
                std::ptrdiff_t count)
{
    for (std::ptrdiff_t i = 0; i < count; ++i) Format32::Write(to, toX + i, From::Read(from, fromX + i));
}

}  // namespace zvx::gdi
