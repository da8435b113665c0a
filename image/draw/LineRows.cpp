#include "image/draw/LineRows.h"

#include <algorithm>

#include "image/PlainImage.h"
#include "image/draw/LineSteps.h"

namespace zvx {
namespace {

// The rows of a plain image, written without a virtual call. Positions outside are dropped,
// as SetColor drops them.
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
    if (y0 == y1) {
        canvas.Span(y0, std::min(x0, x1), std::max(x0, x1));
    } else {
        ForEachLineStep(x0, y0, x1, y1, canvas.Width(), canvas.Height(),
                        [&](long long x, long long y) { canvas.Plot(x, y); });
    }
    return true;
}

}  // namespace zvx
