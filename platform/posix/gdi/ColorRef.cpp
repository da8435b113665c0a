#include "platform/posix/gdi/ColorRef.h"

namespace zvx::gdi {
namespace {

// The 20 reserved colours of the default palette, 0x00RRGGBB; a PALETTEINDEX colour picks
// one, and an index past them gives black.
constexpr std::uint32_t kDefaultPalette[20] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

}  // namespace

std::uint32_t ColorRefToRgb(COLORREF color)
{
    if ((color & 0x01000000u) != 0) {
        const std::uint32_t index = color & 0xFFFF;
        return index < 20 ? kDefaultPalette[index] : 0;
    }
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

std::uint32_t RgbToColorRef(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

}  // namespace zvx::gdi
