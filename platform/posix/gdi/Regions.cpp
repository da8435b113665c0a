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
    const Rect rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    object.region.rect = rect.IsEmpty() ? Rect{} : rect;
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
    // Not normalised: an empty box keeps the edges that missed, as GDI's does. Every edge is one
    // of the bitmap's or the region's, so it fits a LONG.
    const Rect& box = target.clip;
    *rect = RECT{static_cast<LONG>(box.left), static_cast<LONG>(box.top), static_cast<LONG>(box.right),
                 static_cast<LONG>(box.bottom)};
    return box.IsEmpty() ? NULLREGION : SIMPLEREGION;
}
