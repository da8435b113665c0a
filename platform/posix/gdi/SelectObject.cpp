// SelectObject. Bitmaps, pens and brushes are held by the DC (a bitmap by one memory DC at a
// time, the stock bitmap excepted) and the call returns what they replaced; a region is not
// held at all: it becomes the clip region, and the call answers with its kind.
#include <cstdint>

#include "platform/posix/gdi/GdiObjects.h"

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle)
{
    using namespace zvx::gdi;
    Object* dcObject = Find(hdc, Kind::Dc);
    Object* object = FindAny(handle);
    if (dcObject == nullptr || object == nullptr) return nullptr;
    Dc& dc = dcObject->dc;
    HGDIOBJ* slot = nullptr;
    switch (object->kind) {
    case Kind::Region: {
        const int complexity = SelectClipRgn(hdc, static_cast<HRGN>(handle));
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(complexity));
    }
    case Kind::Bitmap:
        // One that is waiting to be deleted is taken by no DC.
        if (dc.kind != DcKind::Memory || object->deletePending) return nullptr;
        if (handle == dc.bitmap) return handle;
        if (!object->stock && object->selections > 0) return nullptr;
        slot = &dc.bitmap;
        break;
    case Kind::Pen:
        if (object->deletePending) return nullptr;
        slot = &dc.pen;
        break;
    case Kind::Brush:
        if (object->deletePending) return nullptr;
        slot = &dc.brush;
        break;
    case Kind::Dc:
        return nullptr;
    }
    HGDIOBJ previous = *slot;
    if (previous == handle) return previous;
    *slot = handle;
    if (!object->stock) ++object->selections;
    ReleaseSelection(previous);
    return previous;
}
