#include "image/draw/LineRows.h"

#include <algorithm>

#include "image/PlainImage.h"

namespace zvx {
namespace {

long long Trunc(double v) { return static_cast<long long>(v); }

// The rows of a plain image, written without a virtual call. Positions outside are dropped,
// as SetColor drops them; loops are first cut to the image, which drops the same ones at once.
class Canvas {
public:
    Canvas(IPixelBuffer& rows, long long width, long long height, Pixel color)
        : m_rows(rows), m_width(width), m_height(height), m_color(color & 0x00FFFFFFu)
    {
    }

    long long Width() const { return m_width; }
    long long Height() const { return m_height; }

    void Plot(long long x, long long y)
    {
        if (x < 0 || x >= m_width || y < 0 || y >= m_height) return;
        m_rows.GetScanLine(static_cast<int>(y))[x] = m_color;
    }

    // Columns from..to (both included) of row y.
    void Span(long long y, long long from, long long to)
    {
        if (y < 0 || y >= m_height) return;
        from = std::max(from, 0LL);
        to = std::min(to, m_width - 1);
        if (from > to) return;
        Pixel* row = m_rows.GetScanLine(static_cast<int>(y));
        std::fill(row + from, row + to + 1, m_color);
    }

private:
    IPixelBuffer& m_rows;
    long long m_width;
    long long m_height;
    Pixel m_color;
};

}  // namespace

bool DrawLinePlainRows(IImage& image, int x0, int y0, int x1, int y1, Pixel color)
{
    IPixelBuffer* rows = PlainPixels(image);
    if (rows == nullptr) return false;
    Canvas canvas(*rows, image.GetWidth(), image.GetHeight(), color);
    const long long lastColumn = canvas.Width() - 1;
    const long long lastRow = canvas.Height() - 1;

    if (x0 == x1) {
        const long long from = std::max<long long>(std::min(y0, y1), 0);
        const long long to = std::min<long long>(std::max(y0, y1), lastRow);
        for (long long y = from; y <= to; ++y) canvas.Plot(x0, y);
        return true;
    }
    if (y0 == y1) {
        canvas.Span(y0, std::min(x0, x1), std::max(x0, x1));
        return true;
    }

    // The arithmetic of DrawLineSoftware, operation for operation.
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
        const long long last = std::min(xb, lastColumn);
        for (long long x = std::max(xa, 0LL); x <= last; ++x) {
            const double offset = static_cast<double>(x - xa) * slope;
            canvas.Plot(x, ya + Trunc(offset));
        }
    } else if (dy > 0) {
        const long long last = std::min(yb, lastRow);
        for (long long y = std::max(ya, 0LL); y <= last; ++y) {
            const double offset = static_cast<double>(y - ya) * inv;
            const double position = static_cast<double>(xa) + offset;
            canvas.Plot(Trunc(position), y);
        }
    } else {
        const long long last = std::max(yb, 0LL);
        for (long long y = std::min(ya, lastRow); y >= last; --y) {
            const double offset = static_cast<double>(y - yb) * inv;
            canvas.Plot(xb + Trunc(offset), y);
        }
    }
    return true;
}

}  // namespace zvx
