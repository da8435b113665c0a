// The two pixel layouts of a row that the layer reads and writes, one type each, and the one
// place that picks between them. Pixels travel as 32-bit words 0x??RRGGBB:
//   Format32  one word per pixel, kept whole, top byte included;
//   Format24  three bytes per pixel: blue, green, red.
// A call picks its formats once with WithFormat and then works through its rows with the
// chosen type's functions, inlined, with no per-pixel choice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

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
    static void Fill(std::uint8_t* row, std::ptrdiff_t x, std::ptrdiff_t count, std::uint32_t word)
    {
        std::uint8_t* p = row + x * 4;
        for (std::ptrdiff_t i = 0; i < count; ++i) std::memcpy(p + i * 4, &word, 4);
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

// Calls fn with the format of a layout's bitsPerPixel (24 or 32) and returns its result.
template <class Fn>
decltype(auto) WithFormat(int bitsPerPixel, Fn&& fn)
{
    if (bitsPerPixel == 32) return fn(Format32{});
    return fn(Format24{});
}

// count pixels from column fromX of one row to column toX of another, each as the target's
// format keeps it. Rows of one format are the same bytes either way, so they are copied.
template <class From, class To>
void CopyPixels(const std::uint8_t* from, std::ptrdiff_t fromX, std::uint8_t* to, std::ptrdiff_t toX,
                std::ptrdiff_t count)
{
    if constexpr (std::is_same_v<From, To>) {
        constexpr std::ptrdiff_t size = From::kBytesPerPixel;
        std::memcpy(to + toX * size, from + fromX * size, static_cast<std::size_t>(count * size));
    } else {
        for (std::ptrdiff_t i = 0; i < count; ++i) To::Write(to, toX + i, From::Read(from, fromX + i));
    }
}

}  // namespace zvx::gdi
