// Rectangular regions and the DC's clip region. SelectClipRgn copies the region's rectangle into
// the DC, so the region may be deleted straight away; NULL removes clipping. GetClipBox tells
// where drawing can reach: the bitmap's bounds, cut to the clip region.
#include <algorithm>

#include "platform/posix/gdi/GdiObjects.h"

HRGN zvx::win32::CreateRectRgn(int left, int top, int right, int bottom)
{
    using namespace zvx::gdi;
    Object object;
    object.kind = Kind::Region;
    Rect& rect = object.region.rect;
    rect.left = left < right ? left : right;
    rect.right = left < right ? right : left;
    rect.top = top < bottom ? top : bottom;
    rect.bottom = top < bottom ? bottom : top;
    if (rect.IsEmpty()) rect = Rect{};
    return static_cast<HRGN>(Allocate(std::move(object)));
}

int zvx::win32::SelectClipRgn(HDC hdc, HRGN region)
{
    using namespace zvx::gdi;
    Object* dc = Find(hdc, Kind::Dc);
    if (dc == nullptr) return ERROR;
    if (region == nullptr) {
        dc->dc.hasClip = false;
        dc->dc.clip = Rect{};
        return SIMPLEREGION;
    }
    Object* object = Find(region, Kind::Region);
    if (object == nullptr) return ERROR;
    dc->dc.hasClip = true;
    dc->dc.clip = object->region.rect;
    return dc->dc.clip.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

int zvx::win32::GetClipBox(HDC hdc, LPRECT rect)
{
    using namespace zvx::gdi;
    Target target;
    if (rect == nullptr || !ResolveTarget(hdc, target)) return ERROR;
    Rect box = Bounds(target.layout);
    if (target.dc->hasClip) {
        // Edge by edge, not normalised: an empty box keeps the edges that missed, as GDI's does.
        const Rect& clip = target.dc->clip;
        box.left = std::max(box.left, clip.left);
        box.top = std::max(box.top, clip.top);
        box.right = std::min(box.right, clip.right);
        box.bottom = std::min(box.bottom, clip.bottom);
    }
    rect->left = box.left;
    rect->top = box.top;
    rect->right = box.right;
    rect->bottom = box.bottom;
    return box.IsEmpty() ? NULLREGION : SIMPLEREGION;
}
