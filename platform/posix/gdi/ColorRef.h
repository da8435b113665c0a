// GDI's colour words (COLORREF, 0x00BBGGRR) and the layer's 0x00RRGGBB.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace zvx::gdi {

// A COLORREF as 0x00RRGGBB. The library's colours are all plain RGB: the top byte, which would
// ask for a palette entry, is always 0 and is dropped.
std::uint32_t ColorRefToRgb(COLORREF color);
std::uint32_t RgbToColorRef(std::uint32_t rgb);

}  // namespace zvx::gdi
