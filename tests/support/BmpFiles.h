// .bmp files built field by field, and the one table of broken files.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "support/ImageTestKit.h"

namespace zvx::test {

// A w x h 24-bit file as SaveBmp writes it (bottom row first, BGR, zero-padded rows), with
// fields (offset, 32-bit value) replaced, or rows padded with another byte.
using Fields = std::vector<std::pair<std::size_t, std::uint32_t>>;
constexpr std::uint32_t U32(std::uint64_t v) { return static_cast<std::uint32_t>(v); }

template <class At>
std::string BmpFile(int w, int h, At&& colour, const Fields& fields = {}, char padding = 0)
{
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    std::string s(54, '\0');
    s.resize(54 + stride * static_cast<std::size_t>(h), padding);
    Fields all = {{0, 0x4D42}, {2, U32(s.size())}, {10, 54}, {14, 40}, {18, U32(w)}, {22, U32(h)}, {26, 1 | 24 << 16}};
    all.insert(all.end(), fields.begin(), fields.end());
    for (const auto& [at, value] : all) {
        for (std::size_t i = 0; i < 4 && at + i < s.size(); ++i) s[at + i] = static_cast<char>(value >> (8 * i));
    }
    for (int y = 0; y < h; ++y) {
        char* row = &s[54 + static_cast<std::size_t>(h - 1 - y) * stride];
        for (int x = 0; x < w; ++x) {
            for (int i = 0; i < 3; ++i) row[3 * x + i] = static_cast<char>(colour(x, y) >> (8 * i));
        }
    }
    return s;
}

// The pattern's colours, and a 3 x 2 file of them.
inline Pixel PatternColour(int x, int y) { return Pattern(x, y) & 0xFFFFFF; }
inline std::string PatternFile(const Fields& fields = {}) { return BmpFile(3, 2, PatternColour, fields); }

// A diagnosis to compare: the verdict's number and the system's code, "3 0" for Truncated.
inline std::string Said(BmpDiagnosis d)
{
    return std::to_string(static_cast<int>(d.verdict)) + " " + std::to_string(d.systemError);
}

// Files no load may take, each with DiagnoseBmp's verdict; each leaves the image as it was.
inline std::vector<std::tuple<const char*, std::string, BmpVerdict>> BrokenBmps()
{
    const std::string good = PatternFile(),
                      png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x02\0\0\0\x90wS\xde", 33);
    constexpr BmpVerdict kShort = BmpVerdict::Truncated, kNot = BmpVerdict::NotSupported, kLarge = BmpVerdict::TooLarge,
                         kNotBmp = BmpVerdict::NotBmp;
    return {{"empty", "", kShort},
            {"shorter than its fields", good.substr(0, 29), kShort},
            {"one byte short", good.substr(0, good.size() - 1), kShort},
            {"rows far beyond", PatternFile({{10, 0xFFFFFFF0u}}), kShort},
            {"rows offset wraps", PatternFile({{10, 0xFFFFFFFFu}}), kShort},
            {"rows running past the end", PatternFile({{10, 55}}), kShort},
            {"more rows than bytes", PatternFile({{22, 3}}), kShort},
            {"8-bit", PatternFile({{28, 8}}), kNot},
            {"32-bit", PatternFile({{28, 32}}), kNot},
            {"top-down", PatternFile({{22, U32(-2)}}), kNot},
            {"both negative", PatternFile({{18, U32(-3)}, {22, U32(-2)}}), kNot},
            {"65536 x 65536", PatternFile({{18, 65536}, {22, 65536}}), kLarge},
            {"46341 x 46341", PatternFile({{18, 46341}, {22, 46341}}), kLarge},
            {"3,000,000 x 2,000,000", PatternFile({{18, 3000000}, {22, 2000000}}), kLarge},
            {"row stride past 32 bits", PatternFile({{18, INT_MAX}, {22, 1}}), kLarge},
            {"32768 x 32769, pixels past 4 GiB", PatternFile({{18, 32768}, {22, 32769}}), kLarge},
            {"not a picture", std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(40, '\x01'), kNotBmp},
            {"a PNG file", png + std::string(40, '\0'), kNotBmp},
            {"a short text", "Bitmap", kNotBmp},
            {"B alone", "B", kShort},
            {"BM and no more", "BM", kShort}};
}

}  // namespace zvx::test
