// Pixels in and out: device-independent bitmaps as the library uses them (the headers the layer
// takes, the sections the images make, the two transfers between a caller's DIB and a DC or
// bitmap) and single pixels on a DC. Nothing outside the library can call these, so every other
// kind of request is refused rather than kept untested. The rows go through the pixel core's
// planner, one view of rows (PixelRows) for a caller's buffer, a section and a window's surface
// alike.
#include <algorithm>
#include <cstdint>

#include "core/Color.h"
#include "core/Planner.h"
#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {

// The DIB headers the layer takes: those of the sections it makes and of the buffers callers hand
// SetDIBitsToDevice and GetDIBits.
bool DescribeDib(const BITMAPINFOHEADER& header, const void* bits, PixelRows& rows)
{
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1) return false;
    if (header.biCompression != BI_RGB) return false;
    if (header.biBitCount != 24 && header.biBitCount != 32) return false;
    // The magnitude of INT32_MIN does not fit in a LONG; such a height is refused with the others.
    const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (!FitsBlock(header.biWidth, height, header.biBitCount, INT32_MAX)) return false;
    rows = DibRows(bits, header.biWidth, static_cast<int>(height), header.biBitCount, header.biHeight > 0);
    return true;
}

}  // namespace zvx::gdi

// CreateDIBSection for the sections the images make: 32-bit top-down BI_RGB. The bits are
// zeroed, and the whole block must stay addressable with 32-bit offsets, as on Windows. Every
// DC draws on 32-bit top-down pixels.
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

// SetDIBitsToDevice from 24- and 32-bit BI_RGB DIBs, as the library calls it: the top-left
// width x height block of a DIB whose rows are all at hand, that is source (0, 0) and scan lines
// 0 .. height - 1 in one buffer (xSrc, ySrc and startScan 0, lines = height), with RGB colours.
//
// Scan lines count from the bottom of the height-row block, whichever way the DIB is stored. A
// bottom-up buffer holds the lowest ones first, at most |biHeight| of them; a top-down buffer
// holds its |biHeight| rows as the highest lines, highest first. So a top-down W x H DIB drawn
// with a width and height below W and H gives its top-left block, a bottom-up one its
// bottom-left. Every DC's pixels are 32-bit (an image's section, a window's surface); 32-bit
// words reach them whole, top byte included. The planner also makes a section drawn onto its own
// DC come out as from an untouched copy, as Windows does.
int zvx::win32::SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                                  UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    using namespace zvx::gdi;
    if (xSrc != 0 || ySrc != 0 || startScan != 0 || lines != height || usage != DIB_RGB_COLORS) return 0;
    Target target;
    if (!ResolveTarget(hdc, target) || bits == nullptr || info == nullptr) return 0;
    zvx::PixelRows dib;
    if (!DescribeDib(info->bmiHeader, bits, dib)) return 0;

    const auto w = static_cast<std::int64_t>(static_cast<int>(width));
    const auto h = static_cast<std::int64_t>(height);
    if (w <= 0 || h == 0) return 0;
    // The rows the buffer holds of the h scan lines: a top-down buffer its first rows, as the
    // highest lines; a bottom-up one its last rows, as the lowest. A bottom-up call reports how many
    // it holds, a top-down one all h.
    const bool bottomUp = dib.stride < 0;
    const int supplied = static_cast<int>(std::min<std::int64_t>(h, dib.height));
    const int firstRow = bottomUp ? dib.height - supplied : 0;
    const std::int64_t top = bottomUp ? yDest + h - supplied : yDest;
    zvx::BlitArea area =
        zvx::Place(static_cast<int>(std::min<std::int64_t>(w, dib.width)), supplied, xDest, top, target.clip);
    area.srcY += firstRow;
    zvx::RowOp op = dib.bitsPerPixel == 32 ? zvx::RowOp::Words() : zvx::RowOp::Bgr24ToWords();
    // Never around the cache: a DC's pixels are read right after a transfer (the back buffer is
    // blended, then copied to the window), which a streamed frame makes slower (the README's
    // Performance).
    op.mayStream = false;
    if (!zvx::Transfer(dib, target.layout, area, op)) return 0;
    return static_cast<int>(bottomUp ? supplied : h);
}

// GetDIBits as CreateFromBitmap calls it: every line of a bitmap, from start 0, as 32-bit
// top-down BI_RGB rows of the bitmap's own size (the images' own layout). Other requests (some of
// the lines, another size, depth or row order, palette colours, the size query with no buffer)
// are refused.
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
    const zvx::BlitArea all = zvx::Place(source.width, source.height, 0, 0, zvx::Bounds(source.width, source.height));
    return zvx::Transfer(source, request, all, zvx::RowOp::Words()) ? source.height : 0;
}

// SetPixel and GetPixel on a DC, whose pixels are 32-bit. Both answer CLR_INVALID outside the
// bitmap and outside the clip region; SetPixel returns the colour stored, top byte 0.
COLORREF zvx::win32::SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    const Pixel rgb = zvx::color::FromColorRef(color);
    target.layout.Words(y)[x] = rgb;
    return zvx::color::ToColorRef(rgb);
}

COLORREF zvx::win32::GetPixel(HDC hdc, int x, int y)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || !target.clip.Contains(x, y)) return CLR_INVALID;
    return zvx::color::ToColorRef(target.layout.Words(y)[x]);
}
