// GetObjectA as CreateFromBitmap asks: a bitmap described as a BITMAP with 64-bit Windows'
// layout, into a buffer of that size. Nothing but a bitmap, or a stale handle, can reach it from
// outside the library; any other handle, a null buffer or one too small get nothing and the
// call returns 0, which the import refuses.
#include <cstring>

#include "platform/posix/gdi/GdiObjects.h"

int zvx::win32::GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    using namespace zvx::gdi;
    const Object* object = Find(handle, Kind::Bitmap);
    // The size is taken as unsigned: a negative one counts as large.
    if (object == nullptr || buffer == nullptr || static_cast<UINT>(size) < sizeof(BITMAP)) return 0;
    const Bitmap& source = object->bitmap;
    BITMAP bm{};
    bm.bmWidth = source.layout.width;
    bm.bmHeight = source.layout.height;
    bm.bmWidthBytes = static_cast<LONG>(RowBytes(source.layout.width, source.layout.bitsPerPixel));
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(source.layout.bitsPerPixel);
    bm.bmBits = source.isDibSection ? source.layout.Lowest() : nullptr;
    std::memcpy(buffer, &bm, sizeof(BITMAP));
    return sizeof(BITMAP);
}
