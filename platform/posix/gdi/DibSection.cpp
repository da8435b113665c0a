// CreateDIBSection for the sections the images make: 32-bit top-down BI_RGB. The bits are
// zeroed, and the whole block must stay addressable with 32-bit offsets, as on Windows. Nothing
// outside the library can call it, so every other kind of section is refused, and every DC
// draws on 32-bit top-down pixels.
#include <cstdint>

#include "platform/posix/gdi/GdiObjects.h"

HBITMAP zvx::win32::CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    using namespace zvx::gdi;
    // Sections backed by a file mapping are not offered.
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr || offset != 0) return nullptr;
    PixelRows layout;
    if (!DescribeDib(info->bmiHeader, nullptr, layout) || layout.bitsPerPixel != 32 || layout.stride < 0)
        return nullptr;

    Object object;
    object.kind = Kind::Bitmap;
    Bitmap& bitmap = object.bitmap;
    bitmap.storage = ZeroedStorage(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height));
    if (!bitmap.storage) return nullptr;
    bitmap.layout = PackedRows(bitmap.storage.get(), layout.width, layout.height);
    bitmap.isDibSection = true;
    void* pixels = bitmap.layout.first;
    HGDIOBJ handle = Allocate(std::move(object));
    if (handle == nullptr) return nullptr;
    if (bits != nullptr) *bits = pixels;
    return static_cast<HBITMAP>(handle);
}
