// SetPixel and GetPixel on a DC. Both answer CLR_INVALID outside the bitmap and outside the
// clip region; SetPixel returns the colour the bitmap actually took.
#include "platform/posix/gdi/GdiObjects.h"

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    zvx::gdi::Target target;
    if (!zvx::gdi::ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    const std::uint32_t rgb = zvx::gdi::Quantize(target.raster, zvx::gdi::ColorRefToRgb(color));
    zvx::gdi::WritePixel(target.raster, x, y, rgb);
    return zvx::gdi::RgbToColorRef(rgb);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    zvx::gdi::Target target;
    if (!zvx::gdi::ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    return zvx::gdi::RgbToColorRef(zvx::gdi::ReadPixel(target.raster, x, y) & 0xFFFFFF);
}
