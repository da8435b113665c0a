// Rectangle outlines and fills, built on the image's own DrawLine; the fill's fast twin
// (image/FastPaths.h maps every fast path).
#include <algorithm>
#include <cstddef>

#include "core/Clip.h"
#include "core/Color.h"
#include "core/RowKernels.h"
#include "image/DibSectionImage.h"
#include "image/FastPaths.h"
#include "image/Operations.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

// FillRect's rows top..bottom (inside the image) of a plain image at once, each as that image's
// DrawLine(x0, y, x1, y, color) with x0 != x1 sets it: the heap image's rows from min(x0, x1) to
// max(x0, x1), the DIB-section image's as its pen draws them, without column x1 and within its
// DC's clip box (a clip region may be selected there, by DrawTiled for one). Whole rows are one
// run, since the rows lie back to back. False, having drawn nothing, for any other image or a DC
// whose clip is not a rectangle: the caller then draws row by row.
bool FillRectRows(IImage& image, int x0, int x1, int top, int bottom, Pixel color)
{
    const PlainImage plain = PlainRows(image);
    if (!plain) return false;
    // Columns min(x0, x1) .. max(x0, x1) of rows top .. bottom.
    Rect fill{std::min(x0, x1), top, std::max(x0, x1) + 1LL, bottom + 1LL};
    if (auto* dib = dynamic_cast<CDibSectionImage*>(&image)) {
        // The pen stops short of its end point; GDI clips to the DC's clip box. Whatever GDI has
        // yet to draw there is drawn before the pixels are written directly.
        if (x0 < x1) {
            fill.right = x1;
        } else {
            fill.left = x1 + 1LL;
        }
        ::GdiFlush();
        RECT box{};
        const int kind = ::GetClipBox(dib->GetMemoryDC(), &box);
        if (kind == NULLREGION) return true;
        if (kind != SIMPLEREGION) return false;
        fill = Intersect(fill, Rect{box.left, box.top, box.right, box.bottom});
    }
    const PixelRows& rows = plain.rows;
    fill = ClipToRows(fill, rows);
    if (fill.IsEmpty()) return true;
    const Pixel value = color::ColorOf(color);
    const auto columns = static_cast<std::size_t>(fill.right - fill.left);
    const auto first = static_cast<int>(fill.top);
    const auto end = static_cast<int>(fill.bottom);
    const RowKernelSet& kernels = RowKernels();
    if (columns == static_cast<std::size_t>(rows.width)) {
        kernels.fill(rows.Words(first), columns * static_cast<std::size_t>(end - first), value);
        return true;
    }
    for (int y = first; y < end; ++y) kernels.fill(rows.Words(y) + fill.left, columns, value);
    return true;
}

}  // namespace

bool DrawRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color)
{
    // All four sides are drawn whatever each returns; each starts where the previous ends.
    const bool top = image.DrawLine(x0, y0, x1, y0, color);
    const bool right = image.DrawLine(x1, y0, x1, y1, color);
    const bool bottom = image.DrawLine(x1, y1, x0, y1, color);
    const bool left = image.DrawLine(x0, y1, x0, y0, color);
    return top || right || bottom || left;
}

bool FillRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color)
{
    if (x0 == x1 || y0 == y1) return image.DrawLine(x0, y0, x1, y1, color);

    // One row at a time from y0 towards y1, both included, but only the rows inside the image:
    // a row outside has no pixel to set, and a rectangle across the int range would otherwise
    // cost four billion lines. A skipped row counts as the true that DrawLine answers for two
    // distinct end points, so the result is the one drawing every row would give.
    const long long first = y0;
    const long long last = y1;
    const long long step = first < last ? 1 : -1;
    const long long lastRow = static_cast<long long>(image.GetHeight()) - 1;
    const long long from = step > 0 ? std::max(first, 0LL) : std::min(first, lastRow);
    const long long to = step > 0 ? std::min(last, lastRow) : std::max(last, 0LL);
    bool any = from != first || to != last;  // some row skipped
    if ((to - from) * step < 0) return any;  // no row inside
    // Every row's DrawLine has two distinct end points and answers true.
    if (FillRectRows(image, x0, x1, static_cast<int>(std::min(from, to)), static_cast<int>(std::max(from, to)),
                     color)) {
        return true;
    }
    for (long long y = from;; y += step) {
        if (image.DrawLine(x0, static_cast<int>(y), x1, static_cast<int>(y), color)) any = true;
        if (y == to) break;
    }
    return any;
}

}  // namespace zvx
