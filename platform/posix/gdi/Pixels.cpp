// SetPixel and GetPixel on a DC, whose pixels are 32-bit. Both answer CLR_INVALID outside the
// bitmap and outside the clip region; SetPixel returns the colour stored, top byte 0.
#include "core/Color.h"
#include "platform/posix/gdi/GdiObjects.h"

COLORREF zvx::win32::SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    const Pixel rgb = zvx::color::FromColorRef(color);
    target.layout.Words(y)[x] = rgb;
    return zvx::color::ToColorRef(rgb);
}

COLORREF zvx::win32::GetPixel(HDC hdc, int x, int y)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    return zvx::color::ToColorRef(target.layout.Words(y)[x]);
}
