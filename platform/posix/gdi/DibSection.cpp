// CreateDIBSection for 24- and 32-bit BI_RGB sections, bottom-up or top-down. The bits are
// zeroed, rows are padded to 4 bytes, and the whole block must stay addressable with 32-bit
// offsets, as on Windows; anything else is refused.
#include <cstdint>

#include "platform/posix/gdi/DibLayout.h"
#include "platform/posix/gdi/GdiObjects.h"

HBITMAP zvx::win32::CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    using namespace zvx::gdi;
    // Sections backed by a file mapping are not offered.
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr || offset != 0) return nullptr;
    DibLayout layout;
    if (!DescribeDib(info->bmiHeader, layout)) return nullptr;

    Object object;
    object.kind = Kind::Bitmap;
    Bitmap& bitmap = object.bitmap;
    const std::size_t bytes = layout.ImageBytes();
    bitmap.storage = ZeroedStorage(bytes / 4);
    if (!bitmap.storage) return nullptr;
    layout.bits = reinterpret_cast<std::uint8_t*>(bitmap.storage.get());
    bitmap.layout = layout;
    bitmap.isDibSection = true;
    HGDIOBJ handle = Allocate(std::move(object));
    if (handle == nullptr) return nullptr;
    if (bits != nullptr) *bits = layout.bits;
    return static_cast<HBITMAP>(handle);
}
