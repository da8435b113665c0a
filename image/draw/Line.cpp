// One-pixel lines drawn into an image: the heap image's software line, through SetColor or by its
// fast twin (image/FastPaths.h maps every fast path), both from the same steps; the DIB-section
// image's GDI pen.
#include <climits>
#include <cstddef>

#include "core/Clip.h"
#include "core/Color.h"
#include "core/RowKernels.h"
#include "image/FastPaths.h"
#include "image/Operations.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

// Calls plot(x, y), with 64-bit positions, for each step of the line from (x0, y0) to (x1, y1)
// (end points distinct), in the loops' order: vertical and horizontal lines from the smaller
// coordinate to the larger, both included; other lines one position per column or per row of
// their major axis, truncating toward zero. Only steps whose loop coordinate lies within the
// image (0..width - 1 for columns, 0..height - 1 for rows) are visited: no other step can set a
// pixel, so a line across the whole int range costs no more than the image's extent. The loop
// range is cut before the loop; each visited step computes its position exactly as an uncut
// loop would.
template <class Plot>
void ForEachLineStep(int x0, int y0, int x1, int y1, long long width, long long height, Plot&& plot)
{
    const auto trunc = [](double v) { return static_cast<long long>(v); };

    if (x0 == x1) {
        const Interval rows = ClipInterval(y0, y1, 0, height);
        for (long long y = rows.first; y <= rows.last; ++y) plot(static_cast<long long>(x0), y);
        return;
    }
    if (y0 == y1) {
        const Interval columns = ClipInterval(x0, x1, 0, width);
        for (long long x = columns.first; x <= columns.last; ++x) plot(x, static_cast<long long>(y0));
        return;
    }

    // Named by x: (xa, ya) has the smaller x. Every product and sum is rounded to double.
    const bool swap = x0 > x1;
    const long long xa = swap ? x1 : x0;
    const long long ya = swap ? y1 : y0;
    const long long xb = swap ? x0 : x1;
    const long long yb = swap ? y0 : y1;
    const double dx = static_cast<double>(xb - xa);
    const double dy = static_cast<double>(yb - ya);
    const double slope = dy / dx;
    const double inv = dx / dy;
    const bool perColumn = dy > 0 ? slope <= 1.0 : slope >= -1.0;

    if (perColumn) {
        const Interval columns = ClipInterval(xa, xb, 0, width);
        for (long long x = columns.first; x <= columns.last; ++x) {
            const double offset = static_cast<double>(x - xa) * slope;
            plot(x, ya + trunc(offset));
        }
    } else if (dy > 0) {
        // xa is added before the truncation.
        const Interval rows = ClipInterval(ya, yb, 0, height);
        for (long long y = rows.first; y <= rows.last; ++y) {
            const double offset = static_cast<double>(y - ya) * inv;
            const double position = static_cast<double>(xa) + offset;
            plot(trunc(position), y);
        }
    } else {
        // Upwards, measured from (xb, yb); xb is added after the truncation.
        const Interval rows = ClipInterval(yb, ya, 0, height);
        for (long long y = rows.last; y >= rows.first; --y) {
            const double offset = static_cast<double>(y - yb) * inv;
            plot(xb + trunc(offset), y);
        }
    }
}

// The plain heap image's line: the same steps, its rows written directly, a row's steps as one run.
void DrawLineRows(const PixelRows& image, int x0, int y0, int x1, int y1, Pixel color)
{
    const Pixel value = color::ColorOf(color);
    const int width = image.width;
    const int height = image.height;
    if (y0 == y1) {
        // A row's steps are one run.
        const Interval run = ClipInterval(x0, x1, 0, width);
        if (y0 < 0 || y0 >= height || run.IsEmpty()) return;
        RowKernels().fill(image.Words(y0) + run.first, static_cast<std::size_t>(run.last - run.first + 1), value);
        return;
    }
    // Positions outside are dropped, as SetColor drops them.
    ForEachLineStep(x0, y0, x1, y1, width, height, [&](long long x, long long y) {
        if (x < 0 || x >= width || y < 0 || y >= height) return;
        image.Words(static_cast<int>(y))[x] = value;
    });
}

}  // namespace

bool DrawLineSoftware(IImage& image, int x0, int y0, int x1, int y1, Pixel color)
{
    if (x0 == x1 && y0 == y1) return false;
    if (const PlainImage plain = PlainRows(image)) {
        DrawLineRows(plain.rows, x0, y0, x1, y1, color);
        return true;
    }

    // Steps outside the image's extent along the loop's axis are not visited; every other step
    // calls SetColor, whose result is ignored, as an uncut loop would. Positions beyond the int
    // range are outside the image, as SetColor would report.
    const int width = image.GetWidth();
    ForEachLineStep(x0, y0, x1, y1, width, image.GetHeight(), [&](long long x, long long y) {
        if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) return;
        image.SetColor(static_cast<int>(x), static_cast<int>(y), color);
    });
    return true;
}

bool DrawLineWithPen(HDC hdc, int x0, int y0, int x1, int y1, Pixel color)
{
    if (x0 == x1 && y0 == y1) return false;

    // The pen takes a COLORREF: red and blue change places.
    HPEN pen = ::CreatePen(PS_SOLID, 1, color::ToColorRef(color));
    HGDIOBJ previous = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, x0, y0, nullptr);
    ::LineTo(hdc, x1, y1);
    ::GdiFlush();  // the line must be in the section's memory before anyone reads it directly
    if (previous != nullptr) ::SelectObject(hdc, previous);
    if (pen != nullptr) ::DeleteObject(pen);
    return true;
}

}  // namespace zvx
