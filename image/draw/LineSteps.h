// The steps of the software line, shared by DrawLineSoftware (SetColor per position) and its
// plain-image twin DrawLineRows (the rows written directly), so both set the same pixels.
#pragma once

#include <algorithm>

namespace zvx {

// The steps of a horizontal line along row y: columns from..to (both included), the line's
// columns cut to 0..width - 1; from > to when none lies within.
struct RowSteps {
    long long from = 0;
    long long to = -1;
};

inline RowSteps StepsOfRow(int x0, int x1, long long width)
{
    return RowSteps{std::max<long long>(std::min(x0, x1), 0), std::min<long long>(std::max(x0, x1), width - 1)};
}

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
    const long long lastColumn = width - 1;
    const long long lastRow = height - 1;
    const auto trunc = [](double v) { return static_cast<long long>(v); };

    if (x0 == x1) {
        const long long from = std::max<long long>(std::min(y0, y1), 0);
        const long long to = std::min<long long>(std::max(y0, y1), lastRow);
        for (long long y = from; y <= to; ++y) plot(static_cast<long long>(x0), y);
        return;
    }
    if (y0 == y1) {
        const RowSteps row = StepsOfRow(x0, x1, width);
        for (long long x = row.from; x <= row.to; ++x) plot(x, static_cast<long long>(y0));
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
        const long long last = std::min(xb, lastColumn);
        for (long long x = std::max(xa, 0LL); x <= last; ++x) {
            const double offset = static_cast<double>(x - xa) * slope;
            plot(x, ya + trunc(offset));
        }
    } else if (dy > 0) {
        // xa is added before the truncation.
        const long long last = std::min(yb, lastRow);
        for (long long y = std::max(ya, 0LL); y <= last; ++y) {
            const double offset = static_cast<double>(y - ya) * inv;
            const double position = static_cast<double>(xa) + offset;
            plot(trunc(position), y);
        }
    } else {
        // Upwards, measured from (xb, yb); xb is added after the truncation.
        const long long last = std::max(yb, 0LL);
        for (long long y = std::min(ya, lastRow); y >= last; --y) {
            const double offset = static_cast<double>(y - yb) * inv;
            plot(xb + trunc(offset), y);
        }
    }
}

}  // namespace zvx
