// SetPixel and GetPixel on a DC. Both answer CLR_INVALID outside the bitmap and outside the
// clip region; SetPixel returns the colour the bitmap actually took.
#include "platform/posix/gdi/ColorRef.h"
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/PixelFormats.h"

COLORREF zvx::win32::SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    const std::uint32_t rgb = WithFormat(target.layout.bitsPerPixel, [&](auto format) {
        using Format = decltype(format);
        const std::uint32_t kept = Format::Quantize(ColorRefToRgb(color));
        Format::Write(target.layout.Row(y), x, kept);
        return kept;
    });
    return RgbToColorRef(rgb);
}

COLORREF zvx::win32::GetPixel(HDC hdc, int x, int y)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    const std::uint32_t word = WithFormat(target.layout.bitsPerPixel,
                                          [&](auto format) { return decltype(format)::Read(target.layout.Row(y), x); });
    return RgbToColorRef(word & 0xFFFFFF);
}
