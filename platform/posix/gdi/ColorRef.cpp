#include "platform/posix/gdi/ColorRef.h"

namespace zvx::gdi {

std::uint32_t ColorRefToRgb(COLORREF color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

std::uint32_t RgbToColorRef(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

}  // namespace zvx::gdi
