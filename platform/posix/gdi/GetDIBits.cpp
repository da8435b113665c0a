// GetDIBits as CreateFromBitmap calls it: every line of a bitmap, from start 0, as 32-bit
// top-down BI_RGB rows of the bitmap's own size (the images' own layout). Nothing outside the
// library can call it, so other requests (some of the lines, another size, depth or row order,
// palette colours, the size query with no buffer) are refused rather than kept untested.
#include "image/Planner.h"
#include "platform/posix/gdi/GdiObjects.h"

int zvx::win32::GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage)
{
    using namespace zvx::gdi;
    if (Find(hdc, Kind::Dc) == nullptr || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS) return 0;
    const Object* object = Find(bitmap, Kind::Bitmap);
    if (object == nullptr) return 0;
    const zvx::PixelRows& source = object->bitmap.layout;
    zvx::PixelRows request;
    if (!DescribeDib(info->bmiHeader, bits, request) || request.bitsPerPixel != 32 || request.stride < 0 ||
        request.width != source.width || request.height != source.height || start != 0 ||
        lines != static_cast<UINT>(source.height)) {
        return 0;
    }
    // Bitmaps with pixels are the images' own sections, in this very layout.
    const zvx::BlitArea all = zvx::Place(source.width, source.height, 0, 0, zvx::ExtentOf(source.width, source.height));
    return zvx::Transfer(source, request, all, zvx::RowOp::Words()) ? source.height : 0;
}
