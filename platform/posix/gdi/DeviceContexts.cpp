// Device contexts: memory DCs over a selected bitmap, screen DCs from GetDC(NULL), and the
// surface DCs of Surface.h. A DC holds its bitmap and pen; DeleteDC lets go of them
// (finishing a delete that was waiting for them) but never deletes them itself.
#include "platform/posix/gdi/GdiObjects.h"

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
