// Pens, the current position and one-pixel lines. A line runs from the current position up to,
// not including, its end point. Along the major axis every step sets one pixel; the minor
// coordinate is the exact one rounded to nearest, and a tie takes the smaller coordinate, in
// every direction, as GDI does.
#include <cstdint>
#include <cstdlib>

#include "core/Color.h"
#include "core/RowKernels.h"
#include "platform/posix/gdi/GdiObjects.h"

namespace {

using zvx::ClipInterval;
using zvx::Interval;
using zvx::Rect;
__extension__ typedef __int128 Wide;

// Walks the line (x0, y0)-(x1, y1) without its end point, only inside clip, in runs of pixels
// that share the minor coordinate: runs.Row(y, x, count) sets count pixels of row y from column
// x on (lines more wide than high), runs.Column(x, y, count) count pixels of column x from row
// y down (the others). Only the steps whose major coordinate lies inside clip are visited, so a
// line of any length costs at most the clip's extent; horizontal and vertical lines are one run.
template <class Runs>
void WalkLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, const Rect& clip, const Runs& runs)
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
    const std::int64_t minorLo = xMajor ? clip.top : clip.left;
    const std::int64_t minorHi = xMajor ? clip.bottom : clip.right;

    // Steps [first, end): those whose major coordinate, majorStart + majorSign k for step k, lies
    // inside clip.
    const Interval inside = ClipInterval(majorStart, majorStart + majorSign * (steps - 1),
                                         xMajor ? clip.left : clip.top, xMajor ? clip.right : clip.bottom);
    if (inside.IsEmpty()) return;
    const std::int64_t first = majorSign > 0 ? inside.first - majorStart : majorStart - inside.last;
    const std::int64_t end = (majorSign > 0 ? inside.last - majorStart : majorStart - inside.first) + 1;

    // Steps [from, to) at minor offset `offset`.
    const auto run = [&](std::int64_t offset, std::int64_t from, std::int64_t to) {
        const std::int64_t minor = minorStart + minorSign * offset;
        if (minor < minorLo || minor >= minorHi) return;
        const std::int64_t lowest = majorSign > 0 ? majorStart + from : majorStart - (to - 1);
        if (xMajor) {
            runs.Row(static_cast<int>(minor), static_cast<int>(lowest), to - from);
        } else {
            runs.Column(static_cast<int>(minor), static_cast<int>(lowest), to - from);
        }
    };
    if (minorDelta == 0) {
        run(0, first, end);
        return;
    }
    // Step k lies floor((2 k minorDelta + bias) / (2 steps)) off the start along the minor axis:
    // halves round away from the start when the minor coordinate falls, towards it when it
    // rises. The first step divides in 128 bits (both deltas reach 2^32 at the ends of the int
    // range); every later one adds 2 minorDelta to the remainder, which, being at most
    // 2 steps, carries at most once.
    const std::int64_t bias = minorSign < 0 ? steps : steps - 1;
    const Wide numerator = 2 * static_cast<Wide>(first) * minorDelta + bias;
    const Wide denominator = 2 * static_cast<Wide>(steps);
    auto offset = static_cast<std::int64_t>(numerator / denominator);
    auto remainder = static_cast<std::int64_t>(numerator % denominator);
    const std::int64_t twiceSteps = 2 * steps;
    const std::int64_t twiceDelta = 2 * minorDelta;
    std::int64_t runFrom = first;
    for (std::int64_t k = first + 1; k < end; ++k) {
        remainder += twiceDelta;
        if (remainder >= twiceSteps) {
            remainder -= twiceSteps;
            run(offset, runFrom, k);
            ++offset;
            runFrom = k;
        }
    }
    run(offset, runFrom, end);
}

// Sets the runs of a line in a DC's 32-bit pixels.
struct PenRuns {
    const zvx::PixelRows& pixels;
    std::uint32_t rgb;
    const zvx::RowKernelSet& kernels = zvx::RowKernels();  // found once a line: most rows of a steep one are one pixel

    void Row(int y, int x, std::int64_t count) const
    {
        // DIB rows are DWORD-aligned 32-bit words: the image library's fill kernel.
        kernels.fill(pixels.Words(y) + x, static_cast<std::size_t>(count), rgb);
    }
    void Column(int x, int y, std::int64_t count) const
    {
        for (std::int64_t k = 0; k < count; ++k) pixels.Words(y + static_cast<int>(k))[x] = rgb;
    }
};

}  // namespace

HPEN zvx::win32::CreatePen(int style, int width, COLORREF color)
{
    using namespace zvx::gdi;
    // Only the pen the library draws with, solid and one pixel wide; refusing others beats
    // drawing them wrongly.
    if (style != PS_SOLID || width != 1) return nullptr;
    Object object;
    object.kind = Kind::Pen;
    object.pen.color = color;
    return static_cast<HPEN>(Allocate(std::move(object)));
}

BOOL zvx::win32::MoveToEx(HDC hdc, int x, int y, LPPOINT previous)
{
    zvx::gdi::Object* object = zvx::gdi::Find(hdc, zvx::gdi::Kind::Dc);
    // The library never asks for the position it replaces.
    if (object == nullptr || previous != nullptr) return FALSE;
    object->dc.position = POINT{x, y};
    return TRUE;
}

BOOL zvx::win32::LineTo(HDC hdc, int x, int y)
{
    using namespace zvx::gdi;
    Target target;
    if (!ResolveTarget(hdc, target)) return FALSE;
    const POINT from = target.dc->position;
    target.dc->position = POINT{x, y};
    const Object* pen = Find(target.dc->pen, Kind::Pen);
    const COLORREF color = pen != nullptr ? pen->pen.color : 0;
    WalkLine(from.x, from.y, x, y, target.clip, PenRuns{target.layout, zvx::color::FromColorRef(color)});
    return TRUE;
}
