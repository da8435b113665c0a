#include "image/draw/Rect.h"

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

    // One row at a time from y0 towards y1, both included; 64-bit so y1 = INT_MAX ends.
    const long long step = y0 < y1 ? 1 : -1;
    bool any = false;
    for (long long y = y0;; y += step) {
        if (image.DrawLine(x0, static_cast<int>(y), x1, static_cast<int>(y), color)) any = true;
        if (y == y1) break;
    }
    return any;
}

}  // namespace zvx
