// DCs over pixels that someone else owns, such as a window's client area.
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/Surface.h"

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
