#include "image/draw/Line.h"

#include <climits>

#include "image/draw/LineRows.h"

namespace zvx {
namespace {

// Sets (x, y) when it is a representable position; anything beyond the int range is outside
// the image, as SetColor would report. Loop positions are 64-bit so that lines reaching
// INT_MIN or INT_MAX neither overflow nor fail to end.
void Plot(IImage& image, long long x, long long y, Pixel color)
{
    if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) return;
    image.SetColor(static_cast<int>(x), static_cast<int>(y), color);
}

// Truncation toward zero. Every value passed here lies within a few units of the int range,
// far inside long long's.
long long Trunc(double v) { return static_cast<long long>(v); }

}  // namespace

bool DrawLineSoftware(IImage& image, int x0, int y0, int x1, int y1, Pixel color)
{
    if (x0 == x1 && y0 == y1) return false;
    if (DrawLinePlainRows(image, x0, y0, x1, y1, color)) return true;

    if (x0 == x1) {
        const long long from = y0 < y1 ? y0 : y1;
        const long long to = y0 < y1 ? y1 : y0;
        for (long long y = from; y <= to; ++y) Plot(image, x0, y, color);
        return true;
    }
    if (y0 == y1) {
        const long long from = x0 < x1 ? x0 : x1;
        const long long to = x0 < x1 ? x1 : x0;
        for (long long x = from; x <= to; ++x) Plot(image, x, y0, color);
        return true;
    }

    const bool swap = x0 > x1;
    const long long xa = swap ? x1 : x0;
    const long long ya = swap ? y1 : y0;
    const long long xb = swap ? x0 : x1;
    const long long yb = swap ? y0 : y1;
    const double dx = static_cast<double>(xb - xa);
    const double dy = static_cast<double>(yb - ya);
    const double slope = dy / dx;
    const double inv = dx / dy;

    if (dy > 0) {
        if (slope <= 1.0) {
            for (long long x = xa; x <= xb; ++x) {
                const double offset = static_cast<double>(x - xa) * slope;
                Plot(image, x, ya + Trunc(offset), color);
            }
        } else {
            // xa is added before the truncation.
            for (long long y = ya; y <= yb; ++y) {
                const double offset = static_cast<double>(y - ya) * inv;
                const double position = static_cast<double>(xa) + offset;
                Plot(image, Trunc(position), y, color);
            }
        }
    } else {
        if (slope >= -1.0) {
            for (long long x = xa; x <= xb; ++x) {
                const double offset = static_cast<double>(x - xa) * slope;
                Plot(image, x, ya + Trunc(offset), color);
            }
        } else {
            // Measured from (xb, yb); xb is added after the truncation.
            for (long long y = ya; y >= yb; --y) {
                const double offset = static_cast<double>(y - yb) * inv;
                Plot(image, xb + Trunc(offset), y, color);
            }
        }
    }
    return true;
}

bool DrawLineWithPen(HDC hdc, int x0, int y0, int x1, int y1, Pixel color)
{
    if (x0 == x1 && y0 == y1) return false;

    // The pen takes a COLORREF: red and blue change places.
    const COLORREF penColor = ((color >> 16) & 0xFFu) | (color & 0xFF00u) | ((color & 0xFFu) << 16);
    HPEN pen = ::CreatePen(PS_SOLID, 1, penColor);
    HGDIOBJ previous = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, x0, y0, nullptr);
    ::LineTo(hdc, x1, y1);
    ::GdiFlush();  // the line must be in the section's memory before anyone reads it directly
    if (previous != nullptr) ::SelectObject(hdc, previous);
    if (pen != nullptr) ::DeleteObject(pen);
    return true;
}

}  // namespace zvx
