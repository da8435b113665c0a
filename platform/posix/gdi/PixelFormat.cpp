// Colour words and the three pixel layouts the layer draws into (1, 24 and 32 bits).
#include <cstring>

#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {
namespace {

// The 20 reserved colours of the default palette, 0x00RRGGBB; a PALETTEINDEX colour picks
// one, and an index past them gives black.
constexpr std::uint32_t kDefaultPalette[20] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// A monochrome pixel is white when white is the nearer of the two colours, which comes down to
// the channel sum reaching half of 3 x 255.
bool IsNearerWhite(std::uint32_t rgb)
{
    const unsigned sum = ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
    return sum >= 383;
}

}  // namespace

std::uint32_t ColorRefToRgb(COLORREF color)
{
    if ((color & 0x01000000u) != 0) {
        const std::uint32_t index = color & 0xFFFF;
        return index < 20 ? kDefaultPalette[index] : 0;
    }
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

std::uint32_t RgbToColorRef(std::uint32_t rgb)
{
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::uint32_t Quantize(const Raster& raster, std::uint32_t rgb)
{
    rgb &= 0xFFFFFF;
    if (raster.bitsPerPixel == 1) return IsNearerWhite(rgb) ? 0xFFFFFF : 0;
    return rgb;
}

std::uint32_t ReadPixel(const Raster& raster, int x, int y)
{
    const std::uint8_t* row = raster.Row(y);
    switch (raster.bitsPerPixel) {
    case 32: {
        std::uint32_t word;
        std::memcpy(&word, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
        return word;
    }
    case 24: {
        const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * 3;
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16);
    }
    default:
        return (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 0xFFFFFF : 0;
    }
}

void WritePixel(const Raster& raster, int x, int y, std::uint32_t word)
{
    std::uint8_t* row = raster.Row(y);
    switch (raster.bitsPerPixel) {
    case 32:
        std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 4, &word, 4);
        break;
    case 24: {
        std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * 3;
        p[0] = static_cast<std::uint8_t>(word);
        p[1] = static_cast<std::uint8_t>(word >> 8);
        p[2] = static_cast<std::uint8_t>(word >> 16);
        break;
    }
    default: {
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
        if (IsNearerWhite(word & 0xFFFFFF)) {
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | mask);
        } else {
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] & ~mask);
        }
        break;
    }
    }
}

}  // namespace zvx::gdi
