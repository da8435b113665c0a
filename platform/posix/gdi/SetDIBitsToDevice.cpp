// SetDIBitsToDevice from 24- and 32-bit BI_RGB DIBs, as the library calls it: the top-left
// width x height block of a DIB whose rows are all at hand, that is source (0, 0) and scan lines
// 0 .. height - 1 in one buffer (xSrc, ySrc and startScan 0, lines = height), with RGB colours.
// Nothing outside the library can call it, so other source rectangles and partial buffers are
// refused rather than kept untested.
//
// Scan lines count from the bottom of the height-row block, whichever way the DIB is stored. A
// bottom-up buffer holds the lowest ones first, at most |biHeight| of them; a top-down buffer
// holds its |biHeight| rows as the highest lines, highest first. So a top-down W x H DIB drawn
// with a width and height below W and H gives its top-left block, a bottom-up one its
// bottom-left. Every DC's pixels are 32-bit (an image's section, a window's surface); 32-bit
// words reach them whole, top byte included. The rows go through the image library's planner,
// which also makes a section drawn onto its own DC come out as from an untouched copy, as Windows
// does.
#include <algorithm>
#include <cstdint>

#include "image/Planner.h"
#include "platform/posix/gdi/GdiObjects.h"

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
    const Rect& clip = target.clip;
    zvx::BlitArea area = zvx::Place(static_cast<int>(std::min<std::int64_t>(w, dib.width)), supplied, xDest, top,
                                    zvx::Extent{clip.left, clip.top, clip.right, clip.bottom});
    area.srcY += firstRow;
    zvx::RowOp op = dib.bitsPerPixel == 32 ? zvx::RowOp::Words() : zvx::RowOp::Bgr24ToWords();
    // Never around the cache: a DC's pixels are read right after a transfer (the back buffer is
    // blended, then copied to the window), and a streamed 8 MB frame takes a tenth longer.
    op.mayStream = false;
    if (!zvx::Transfer(dib, target.layout, area, op)) return 0;
    return static_cast<int>(bottomUp ? supplied : h);
}
