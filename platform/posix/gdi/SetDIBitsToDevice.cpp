// SetDIBitsToDevice from 24- and 32-bit BI_RGB DIBs.
//
// Source rows are counted as scan lines from the bottom of the DIB, whichever way it is stored,
// and the source rectangle's ySrc is measured from the bottom as well; the buffer holds the
// scan lines startScan .. startScan + lines - 1. A bottom-up buffer stores them lowest first.
// A top-down buffer stores them highest first, and only its first |biHeight| rows are read:
// so a top-down W x H DIB drawn with (w, h, 0, 0, 0, h) gives its top-left w x h block.
// 32-bit words reach a 32-bit bitmap whole, top byte included.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "platform/posix/gdi/CopyRows.h"
#include "platform/posix/gdi/DibLayout.h"
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/PixelFormats.h"

namespace {

struct ScanRange {
    std::int64_t first = 0;  // scan lines [first, end) that the buffer supplies
    std::int64_t end = 0;
};

}  // namespace

int zvx::win32::SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                                  UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target) || bits == nullptr || info == nullptr || usage > 1) return 0;
    DibLayout dib;
    if (!DescribeDib(info->bmiHeader, dib)) return 0;

    const auto w = static_cast<std::int64_t>(static_cast<int>(width));
    const auto h = static_cast<std::int64_t>(height);
    const std::int64_t start = startScan;
    std::int64_t count = lines;
    const std::int64_t H = dib.height;
    if (w <= 0 || xSrc >= dib.width || static_cast<std::int64_t>(xSrc) + w <= 0) return 0;
    if (start >= H || count == 0) return 0;

    // Which scan lines the buffer supplies, and what the call reports.
    ScanRange supplied;
    std::int64_t result;
    if (dib.bottomUp) {
        count = std::min(count, H - start);
        if (ySrc >= start + count || ySrc + h <= start) return 0;
        supplied = {start, start + count};
        result = std::min(start + count, ySrc + h) - start;
    } else {
        if (ySrc >= start + count) return 0;
        supplied = {start + std::max<std::int64_t>(0, count - H), start + count};
        if (count > H && ySrc + h <= supplied.first) return 0;
        result = count;
    }

    // Scan line b lands on row topScan - b of the DC; column c on xDest + c - xSrc.
    const std::int64_t topScan = static_cast<std::int64_t>(yDest) + ySrc + h - 1;
    const Rect& clip = target.clip;
    std::int64_t firstScan = std::max({supplied.first, static_cast<std::int64_t>(ySrc), topScan - clip.bottom + 1});
    std::int64_t endScan = std::min({supplied.end, ySrc + h, topScan - clip.top + 1});
    const std::int64_t shift = static_cast<std::int64_t>(xDest) - xSrc;
    const std::int64_t firstColumn = std::max({static_cast<std::int64_t>(xSrc), std::int64_t{0}, clip.left - shift});
    const std::int64_t endColumn = std::min({xSrc + w, static_cast<std::int64_t>(dib.width), clip.right - shift});
    if (clip.IsEmpty() || firstScan >= endScan || firstColumn >= endColumn) {
        return static_cast<int>(result);
    }

    const DibLayout& dest = target.layout;
    // The buffer rows that are read, [firstRow, lastRow], as they lie in memory.
    const std::int64_t firstRow = dib.bottomUp ? firstScan - start : start + count - endScan;
    const std::int64_t lastRow = dib.bottomUp ? endScan - 1 - start : start + count - 1 - firstScan;
    const std::uint8_t* rows = static_cast<const std::uint8_t*>(bits) + firstRow * dib.stride;
    const auto rowBytes = static_cast<std::size_t>((lastRow - firstRow + 1) * dib.stride);
    // A DIB section drawn onto its own DC reads the memory it writes: the rows are read from a
    // copy, as if from the untouched image (and no copy overlaps itself).
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
    const std::int64_t topMemoryRow = dib.bottomUp ? endScan - 1 - start : start + count - endScan;
    const std::uint8_t* from = rows + (topMemoryRow - firstRow) * dib.stride;
    const std::ptrdiff_t fromStep = dib.bottomUp ? -dib.stride : dib.stride;
    std::uint8_t* to = dest.Row(static_cast<int>(topScan - (endScan - 1)));
    const std::ptrdiff_t toStep = dest.RowStep();
    const std::ptrdiff_t rowCount = endScan - firstScan;
    const std::ptrdiff_t columns = endColumn - firstColumn;
    const std::ptrdiff_t toColumn = firstColumn + shift;
    WithFormat(dib.bitsPerPixel, [&](auto fromFormat) {
        WithFormat(dest.bitsPerPixel, [&](auto toFormat) {
            using From = decltype(fromFormat);
            using To = decltype(toFormat);
            if constexpr (std::is_same_v<From, To> && From::kBytesPerPixel > 0) {
                constexpr std::ptrdiff_t size = From::kBytesPerPixel;
                CopyRows(to + toColumn * size, toStep, from + firstColumn * size, fromStep,
                         static_cast<std::size_t>(columns * size), static_cast<std::size_t>(rowCount));
            } else {
                for (std::ptrdiff_t i = 0; i < rowCount; ++i) {
                    CopyPixels<From, To>(from + i * fromStep, firstColumn, to + i * toStep, toColumn, columns);
                }
            }
        });
    });
    return static_cast<int>(result);
}
