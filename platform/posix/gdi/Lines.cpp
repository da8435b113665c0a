// Pens, the current position and one-pixel lines. A line runs from the current position up to,
// not including, its end point. Along the major axis every step sets one pixel; the minor
// coordinate is the exact one rounded to nearest, and a tie takes the smaller coordinate, in
// every direction, as GDI does.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/posix/gdi/ColorRef.h"
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/PixelFormats.h"

namespace {

using zvx::gdi::Rect;
__extension__ typedef __int128 Wide;

// Sets the pixels of the line (x0, y0)-(x1, y1) without its end point, only inside clip. Only
// the steps whose major coordinate lies inside clip are visited, so a line of any length costs
// at most the clip's extent.
template <typename Plot>
void RasteriseLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   const Rect& clip, Plot plot)
{
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0 || clip.IsEmpty()) return;
    const std::int64_t minorDelta = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t lo = xMajor ? clip.left : clip.top;
    const std::int64_t hi = xMajor ? clip.right : clip.bottom;

    std::int64_t first;
    std::int64_t end;
    if (majorSign > 0) {
        first = lo - majorStart;
        end = hi - majorStart;
    } else {
        first = majorStart - hi + 1;
        end = majorStart - lo + 1;
    }
    first = std::max<std::int64_t>(first, 0);
    end = std::min<std::int64_t>(end, steps);
    // Halves round away from the start when the minor coordinate falls, towards it when it rises.
    // Both deltas reach 2^32 at the ends of the int range, so the product needs 128 bits.
    const Wide bias = minorSign < 0 ? steps : steps - 1;
    for (std::int64_t i = first; i < end; ++i) {
        const auto offset = static_cast<std::int64_t>((2 * static_cast<Wide>(i) * minorDelta + bias) /
                                                      (2 * static_cast<Wide>(steps)));
        const std::int64_t major = majorStart + majorSign * i;
        const std::int64_t minor = minorStart + minorSign * offset;
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) {
            plot(static_cast<int>(x), static_cast<int>(y));
        }
    }
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color)
{
    using namespace zvx::gdi;
    // Only the one-pixel solid pen is drawn; refusing the others beats drawing them wrongly.
    if (style != PS_SOLID || width > 1) return nullptr;
    Object object;
    object.kind = Kind::Pen;
    object.pen.color = color;
    object.pen.width = width;
    return static_cast<HPEN>(Allocate(std::move(object)));
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous)
{
    zvx::gdi::Object* object = zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc);
    if (object == nullptr) return FALSE;
    if (previous != nullptr) *previous = object->dc.position;
    object->dc.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target)) return FALSE;
    const POINT from = target.dc->position;
    target.dc->position = POINT{x, y};
    const Object* pen = Find(target.dc->pen, Kind::Pen);
    const COLORREF color = pen != nullptr ? pen->pen.color : 0;
    const DibLayout& pixels = target.layout;
    WithFormat(pixels.bitsPerPixel, [&](auto format) {
        using Format = decltype(format);
        const std::uint32_t rgb = Format::Quantize(ColorRefToRgb(color));
        RasteriseLine(from.x, from.y, x, y, target.clip,
                      [&](int px, int py) { Format::Write(pixels.Row(py), px, rgb); });
    });
    return TRUE;
}
