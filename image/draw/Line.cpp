#include "image/draw/Line.h"

#include <climits>

#include "image/Color.h"
#include "image/FastPaths.h"
#include "image/draw/LineSteps.h"
#include "platform/Win32.h"

namespace zvx {

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
