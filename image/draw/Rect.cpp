#include "image/draw/Rect.h"

#include <algorithm>

#include "image/FastPaths.h"

namespace zvx {

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
