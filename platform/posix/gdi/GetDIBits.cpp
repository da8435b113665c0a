// GetDIBits as CreateFromBitmap calls it: every line of a bitmap, from start 0, as 32-bit
// top-down BI_RGB rows of the bitmap's own size (the images' own layout). Nothing outside the
// library can call it, so other requests (some of the lines, another size, depth or row order,
// palette colours, the size query with no buffer) are refused rather than kept untested.
#include <cstring>

#include "platform/posix/gdi/DibLayout.h"
#include "platform/posix/gdi/GdiObjects.h"

int zvx::win32::GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage)
{
    using namespace zvx::gdi;
    if (Find(hdc, Kind::Dc) == nullptr || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS) return 0;
    const Object* object = Find(bitmap, Kind::Bitmap);
    if (object == nullptr) return 0;
    const DibLayout& source = object->bitmap.layout;
    DibLayout request;
    if (!DescribeDib(info->bmiHeader, request) || request.bitsPerPixel != 32 || request.bottomUp ||
        request.width != source.width || request.height != source.height || start != 0 ||
        lines != static_cast<UINT>(source.height)) {
        return 0;
    }
    // Bitmaps with pixels are the images' own sections, in this very layout.
    std::memcpy(bits, source.bits, source.ImageBytes());
    return source.height;
}
