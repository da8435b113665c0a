// The three pixel layouts of a row that the layer reads and writes, one type each, and the one
// place that picks among them. Pixels travel as 32-bit words 0x??RRGGBB:
//   Format32  one word per pixel, kept whole, top byte included;
//   Format24  three bytes per pixel: blue, green, red;
//   Format1   one bit per pixel, most significant bit first; 1 is white, and a colour is
//             stored as whichever of black and white is nearer.
// A call picks its formats once with WithFormat and then works through its rows with the
// chosen type's functions, inlined, with no per-pixel choice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "image/RowKernels.h"

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
    // 32-bit rows are whole words (DIB rows are DWORD-aligned): the image library's fill kernel.
    static void Fill(std::uint8_t* row, std::ptrdiff_t x, std::ptrdiff_t count, std::uint32_t word)
    {
        FillPixels(reinterpret_cast<std::uint32_t*>(row) + x, static_cast<std::size_t>(count), word);
    }
    // What the layout keeps of a colour, read back as 0x00RRGGBB.
    static std::uint32_t Quantize(std::uint32_t rgb) { return rgb & 0xFFFFFF; }
};

struct Format24 {
    static constexpr std::ptrdiff_t kBytesPerPixel = 3;
    static std::uint32_t Read(const std::uint8_t* row, std::ptrdiff_t x)
    {
        const std::uint8_t* p = row + x * 3;
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16);
    }
    static void Write(std::uint8_t* row, std::ptrdiff_t x, std::uint32_t word)
    {
        std::uint8_t* p = row + x * 3;
        p[0] = static_cast<std::uint8_t>(word);
        p[1] = static_cast<std::uint8_t>(word >> 8);
        p[2] = static_cast<std::uint8_t>(word >> 16);
    }
    static void Fill(std::uint8_t* row, std::ptrdiff_t x, std::ptrdiff_t count, std::uint32_t word)
    {
        for (std::ptrdiff_t i = 0; i < count; ++i) Write(row, x + i, word);
    }
    static std::uint32_t Quantize(std::uint32_t rgb) { return rgb & 0xFFFFFF; }
};

struct Format1 {
    static constexpr std::ptrdiff_t kBytesPerPixel = 0;  // pixels are bits, not bytes
    // Nearer white when the channel sum reaches half of 3 x 255.
    static bool IsNearerWhite(std::uint32_t rgb)
    {
        const unsigned sum = ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
        return sum >= 383;
    }
    static std::uint32_t Read(const std::uint8_t* row, std::ptrdiff_t x)
    {
        return (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 0xFFFFFF : 0;
    }
    static void Write(std::uint8_t* row, std::ptrdiff_t x, std::uint32_t word)
    {
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
        if (IsNearerWhite(word & 0xFFFFFF)) {
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | mask);
        } else {
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] & ~mask);
        }
    }
    static void Fill(std::uint8_t* row, std::ptrdiff_t x, std::ptrdiff_t count, std::uint32_t word)
    {
        for (std::ptrdiff_t i = 0; i < count; ++i) Write(row, x + i, word);
    }
    static std::uint32_t Quantize(std::uint32_t rgb) { return IsNearerWhite(rgb & 0xFFFFFF) ? 0xFFFFFF : 0; }
};

// Calls fn with the format of a layout's bitsPerPixel (1, 24 or 32) and returns its result.
template <class Fn>
decltype(auto) WithFormat(int bitsPerPixel, Fn&& fn)
{
    switch (bitsPerPixel) {
    case 32: return fn(Format32{});
    case 24: return fn(Format24{});
    default: return fn(Format1{});
    }
}

// count pixels from column fromX of one row to column toX of another, each as the target's
// format keeps it. Rows of one byte-sized format are the same bytes either way, so they are
// copied.
template <class From, class To>
void CopyPixels(const std::uint8_t* from, std::ptrdiff_t fromX, std::uint8_t* to, std::ptrdiff_t toX,
                std::ptrdiff_t count)
{
    if constexpr (std::is_same_v<From, To> && From::kBytesPerPixel > 0) {
        constexpr std::ptrdiff_t size = From::kBytesPerPixel;
        std::memcpy(to + toX * size, from + fromX * size, static_cast<std::size_t>(count * size));
    } else {
        for (std::ptrdiff_t i = 0; i < count; ++i) To::Write(to, toX + i, From::Read(from, fromX + i));
    }
}

}  // namespace zvx::gdi
