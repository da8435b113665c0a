// DeleteObject. A bitmap or pen still selected into a DC is not freed at once: the call
// succeeds, the DC keeps drawing with it, and it goes when the last DC lets go of it.
#include "platform/posix/gdi/GdiObjects.h"

BOOL zvx::win32::DeleteObject(HGDIOBJ handle)
{
    using namespace zvx::gdi;
    Object* object = FindAny(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    if (object->kind == Kind::Dc) {
        // Taken as DeleteDC; surface DCs go back to the window layer their own way.
        if (object->dc.kind == DcKind::Surface) return FALSE;
        DestroyDc(static_cast<HDC>(handle));
        return TRUE;
    }
    return DeleteWhenReleased(handle) ? TRUE : FALSE;
}
