// Rectangular regions and the DC's clip region. SelectClipRgn copies the region's rectangle into
// the DC, so the region may be deleted straight away; NULL removes clipping.
#include "platform/posix/gdi/GdiObjects.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom)
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

int SelectClipRgn(HDC hdc, HRGN region)
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
