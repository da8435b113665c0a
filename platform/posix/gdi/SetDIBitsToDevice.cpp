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
// words reach them whole, top byte included.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "platform/posix/gdi/CopyRows.h"
#include "platform/posix/gdi/DibLayout.h"
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/PixelFormats.h"

int zvx::win32::SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                                  UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    using namespace zvx::gdi;
    if (xSrc != 0 || ySrc != 0 || startScan != 0 || lines != height || usage != DIB_RGB_COLORS) return 0;
    Target target;
    if (!ResolveTarget(hdc, target) || bits == nullptr || info == nullptr) return 0;
    DibLayout dib;
    if (!DescribeDib(info->bmiHeader, dib)) return 0;

    const auto w = static_cast<std::int64_t>(static_cast<int>(width));
    const auto h = static_cast<std::int64_t>(height);
    if (w <= 0 || h == 0) return 0;
    // The scan lines [firstSupplied, h) that the buffer holds; a bottom-up call reports how many
    // it holds, a top-down one all h. Scan line b sits in memory row memoryRow(b).
    const std::int64_t H = dib.height;
    const std::int64_t supplied = std::min(h, H);
    const std::int64_t firstSupplied = dib.bottomUp ? 0 : h - supplied;
    const std::int64_t endSupplied = dib.bottomUp ? supplied : h;
    const std::int64_t result = dib.bottomUp ? supplied : h;
    const auto memoryRow = [&](std::int64_t b) { return dib.bottomUp ? b : h - 1 - b; };

    // Scan line b lands on row topScan - b of the DC; column c on xDest + c.
    const std::int64_t topScan = static_cast<std::int64_t>(yDest) + h - 1;
    const Rect& clip = target.clip;
    const std::int64_t firstScan = std::max(firstSupplied, topScan - clip.bottom + 1);
    const std::int64_t endScan = std::min(endSupplied, topScan - clip.top + 1);
    const std::int64_t firstColumn = std::max<std::int64_t>(0, clip.left - static_cast<std::int64_t>(xDest));
    const std::int64_t endColumn =
        std::min({w, static_cast<std::int64_t>(dib.width), clip.right - static_cast<std::int64_t>(xDest)});
    if (clip.IsEmpty() || firstScan >= endScan || firstColumn >= endColumn) {
        return static_cast<int>(result);
    }

    const DibLayout& dest = target.layout;
    // The buffer rows that are read, [firstRow, lastRow], as they lie in memory.
    const std::int64_t firstRow = std::min(memoryRow(firstScan), memoryRow(endScan - 1));
    const std::int64_t lastRow = std::max(memoryRow(firstScan), memoryRow(endScan - 1));
    const std::uint8_t* rows = static_cast<const std::uint8_t*>(bits) + firstRow * dib.stride;
    const auto rowBytes = static_cast<std::size_t>((lastRow - firstRow + 1) * dib.stride);
    // An image drawn onto its own DC (Draw(GetDC(), x, y) of a DIB-section image) reads the
    // memory it writes: the rows are read from a copy, as if from the untouched image (and no
    // copy overlaps itself), which is what Windows gives too.
    std::vector<std::uint8_t> snapshot;
    const std::uint8_t* destEnd = dest.bits + dest.ImageBytes();
    if (std::less<const std::uint8_t*>()(rows, destEnd) &&
        std::less<const std::uint8_t*>()(dest.bits, rows + rowBytes)) {
        snapshot.assign(rows, rows + rowBytes);
        rows = snapshot.data();
    }
    // The target's rows top to bottom: the top one takes scan line endScan - 1, and each next
    // one the scan line below, one row further on in a top-down buffer and one back in a
    // bottom-up one.
    const std::uint8_t* from = rows + (memoryRow(endScan - 1) - firstRow) * dib.stride;
    const std::ptrdiff_t fromStep = dib.bottomUp ? -dib.stride : dib.stride;
    std::uint8_t* to = dest.Row(static_cast<int>(topScan - (endScan - 1)));
    const std::ptrdiff_t toStep = dest.RowStep();
    const std::ptrdiff_t rowCount = endScan - firstScan;
    const std::ptrdiff_t columns = endColumn - firstColumn;
    const std::ptrdiff_t toColumn = firstColumn + xDest;
    WithFormat(dib.bitsPerPixel, [&](auto format) {
        using From = decltype(format);
        if constexpr (std::is_same_v<From, Format32>) {
            CopyRows(to + toColumn * 4, toStep, from + firstColumn * 4, fromStep, static_cast<std::size_t>(columns * 4),
                     static_cast<std::size_t>(rowCount));
        } else {
            for (std::ptrdiff_t i = 0; i < rowCount; ++i) {
                CopyPixels<From>(from + i * fromStep, firstColumn, to + i * toStep, toColumn, columns);
            }
        }
    });
    return static_cast<int>(result);
}
