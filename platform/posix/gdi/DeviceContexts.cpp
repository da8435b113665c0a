// Device contexts and their clipping: memory DCs over a selected bitmap, screen DCs from
// GetDC(NULL), the surface DCs of Surface.h over pixels someone else owns (a window's client
// area), and the rectangular regions that clip them. A DC holds its bitmap and pen; DeleteDC lets
// go of them (finishing a delete that was waiting for them) but never deletes them itself.
// SelectClipRgn copies the region's rectangle into the DC, so the region may be deleted straight
// away; NULL removes clipping. GetClipBox tells where drawing can reach: the bitmap's bounds, cut
// to the clip region (ClipBox, as every drawing call clips).
#include <algorithm>

#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/Surface.h"

namespace zvx::gdi {

HDC CreateDc(DcKind kind)
{
    Object object;
    object.kind = Kind::Dc;
    object.dc.kind = kind;
    object.dc.bitmap = kind == DcKind::Memory ? DefaultBitmap() : nullptr;
    object.dc.pen = StockPen(BLACK_PEN);
    return static_cast<HDC>(Allocate(std::move(object)));
}

void DestroyDc(HDC hdc)
{
    Object* object = Find(hdc, Kind::Dc);
    if (object == nullptr) return;
    const Dc dc = object->dc;
    Free(hdc);
    ReleaseSelection(dc.bitmap);
    ReleaseSelection(dc.pen);
}

bool ResolveTarget(HDC hdc, Target& target)
{
    Object* object = Find(hdc, Kind::Dc);
    if (object == nullptr) return false;
    target.dc = &object->dc;
    target.layout = PixelRows{};
    if (object->dc.kind == DcKind::Surface) {
        target.layout = object->dc.surface;
    } else if (Object* bitmap = Find(object->dc.bitmap, Kind::Bitmap)) {
        target.layout = bitmap->bitmap.layout;
    }
    target.clip = ClipBox(target.layout, object->dc.hasClip ? &object->dc.clip : nullptr);
    return true;
}

}  // namespace zvx::gdi

HDC zvx::win32::CreateCompatibleDC(HDC hdc)
{
    if (hdc != nullptr && zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc) == nullptr) return nullptr;
    return zvx::gdi::CreateDc(zvx::gdi::DcKind::Memory);
}

BOOL zvx::win32::DeleteDC(HDC hdc)
{
    zvx::gdi::Object* object = zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc);
    // A surface DC belongs to the window layer, which gives it back with ReleaseSurfaceDC.
    // Screen DCs may go either way, by ReleaseDC or DeleteDC.
    if (object == nullptr || object->dc.kind == zvx::gdi::DcKind::Surface) return FALSE;
    zvx::gdi::DestroyDc(hdc);
    return TRUE;
}

BOOL zvx::win32::GdiFlush() { return TRUE; }

// The screen DC has no pixels of its own here: drawing on it is clipped away, but it serves as
// the reference DC for CreateCompatibleDC and GetDIBits.
HDC zvx::win32::GetDC(HWND hwnd)
{
    if (hwnd != nullptr) return nullptr;
    return zvx::gdi::CreateDc(zvx::gdi::DcKind::Screen);
}

int zvx::win32::ReleaseDC(HWND hwnd, HDC hdc)
{
    zvx::gdi::Object* object = zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc);
    if (hwnd != nullptr || object == nullptr || object->dc.kind != zvx::gdi::DcKind::Screen) {
        return 0;
    }
    zvx::gdi::DestroyDc(hdc);
    return 1;
}

namespace zvx::platform {

HDC CreateSurfaceDC(std::uint32_t* pixels, int width, int height)
{
    if (pixels == nullptr || width < 1 || height < 1) return nullptr;
    HDC hdc = zvx::gdi::CreateDc(zvx::gdi::DcKind::Surface);
    zvx::gdi::Object* object = zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc);
    if (object == nullptr) return nullptr;
    object->dc.surface = zvx::PackedRows(pixels, width, height);
    return hdc;
}

void ReleaseSurfaceDC(HDC dc)
{
    zvx::gdi::Object* object = zvx::gdi::Find(dc, zvx::gdi::Kind::Dc);
    if (object == nullptr || object->dc.kind != zvx::gdi::DcKind::Surface) return;
    zvx::gdi::DestroyDc(dc);
}

}  // namespace zvx::platform

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
