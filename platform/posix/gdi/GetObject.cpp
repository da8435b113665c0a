// GetObjectA for bitmaps, as CreateFromBitmap asks: a BITMAP with 64-bit Windows' layout. A
// buffer too small for it gets nothing and the call returns 0; so does any handle that is not a
// bitmap, which the library then refuses as Windows' answer would have it refuse.
#include <cstring>

#include "platform/posix/gdi/GdiObjects.h"

int GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    using namespace zvx::gdi;
    const Object* object = Find(handle, Kind::Bitmap);
    if (object == nullptr) return 0;
    const Bitmap& source = object->bitmap;
    BITMAP bm{};
    bm.bmWidth = source.layout.width;
    bm.bmHeight = source.layout.height;
    bm.bmWidthBytes = static_cast<LONG>(source.layout.stride);
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(source.layout.bitsPerPixel);
    bm.bmBits = source.isDibSection ? source.layout.bits : nullptr;
    if (buffer == nullptr) return sizeof(BITMAP);
    // The size is taken as unsigned: a negative one counts as large.
    if (static_cast<UINT>(size) < sizeof(BITMAP)) return 0;
    std::memcpy(buffer, &bm, sizeof(BITMAP));
    return sizeof(BITMAP);
}
