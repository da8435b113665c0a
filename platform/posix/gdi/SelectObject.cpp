// SelectObject of the two objects the library selects: bitmaps and pens. Both are held by the DC
// (a bitmap by one memory DC at a time, the stock bitmap excepted) and the call returns what they
// replaced. Brushes do not draw here, and clip regions are set with SelectClipRgn only.
#include "platform/posix/gdi/GdiObjects.h"

HGDIOBJ zvx::win32::SelectObject(HDC hdc, HGDIOBJ handle)
{
    using namespace zvx::gdi;
    Object* dcObject = Find(hdc, Kind::Dc);
    Object* object = FindAny(handle);
    if (dcObject == nullptr || object == nullptr) return nullptr;
    Dc& dc = dcObject->dc;
    HGDIOBJ* slot = nullptr;
    bool exclusive = false;
    switch (object->kind) {
    case Kind::Bitmap:
        if (dc.kind != DcKind::Memory) return nullptr;
        slot = &dc.bitmap;
        exclusive = true;
        break;
    case Kind::Pen: slot = &dc.pen; break;
    case Kind::Brush:
    case Kind::Dc:
    case Kind::Region: return nullptr;
    }
    HGDIOBJ previous = *slot;
    switch (TakeSelection(handle, previous, exclusive)) {
    case Selection::Refused: return nullptr;
    case Selection::AlreadyHeld: return previous;
    case Selection::Taken: break;
    }
    *slot = handle;
    ReleaseSelection(previous);
    return previous;
}
