// Draw and DrawBlend: an image onto a device context, through SetDIBitsToDevice or SetPixel.
#include "image/Operations.h"

#include "core/Color.h"
#include "core/Planner.h"
#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "platform/Win32.h"

namespace zvx {
namespace {

// The top-left width x height block in one transfer: the image's own header (which still
// describes the whole image), source (0, 0), scan lines 0 to height - 1.
template <class Self>
void DrawBlock(Self& self, HDC hdc, int x, int y, int width, int height)
{
    const Self& source = self;
    const Pixel* bits = source.GetScanLine(0);
    if (bits == nullptr) return;  // no pixels, nothing to draw
    ::SetDIBitsToDevice(hdc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                        static_cast<UINT>(height), bits, self.GetBitmapInfo(), DIB_RGB_COLORS);
    // GDI may batch drawing; a DIB section's pixels are read directly right after (the blend
    // after BltTo), so the drawing must have reached them before we return.
    ::GdiFlush();
}

// The keyed route: one SetPixel per pixel that is not key-coloured, rows top to bottom. Target
// positions beyond the int range are not on any DC: only their key test is made.
template <class Self>
void DrawByPixel(Self& self, HDC hdc, int x, int y, int width, int height)
{
    const BlitArea inIntRange = Place(width, height, x, y, kIntRange);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            if (self.IsKeyColor(i, j)) continue;
            if (!inIntRange.HoldsSource(i, j)) continue;
            ::SetPixel(hdc, x + i, y + j, self.GetColorRef(i, j));
        }
    }
    ::GdiFlush();
}

// Both forms of Draw: one transfer without a key, pixel by pixel with one.
template <class Self>
void DrawTopLeft(Self& self, HDC hdc, int x, int y, int width, int height)
{
    if (self.GetColorKey() == COLORKEY_NONE) {
        DrawBlock(self, hdc, x, y, width, height);
    } else {
        DrawByPixel(self, hdc, x, y, width, height);
    }
}

}  // namespace

template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y)
{
    const int width = self.GetWidth();
    DrawTopLeft(self, hdc, x, y, width, self.GetHeight());
    return true;
}

template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y, int width, int height)
{
    if (width < 1 || height < 1) return false;
    if (width > self.GetWidth()) width = self.GetWidth();
    if (height > self.GetHeight()) height = self.GetHeight();
    DrawTopLeft(self, hdc, x, y, width, height);
    return true;
}

template <class Self>
bool DrawBlend(Self& self, HDC hdc, int x, int y, double alpha)
{
    if (!(alpha > 0.0)) return false;  // also refuses NaN
    if (alpha >= 1.0) return self.Draw(hdc, x, y);

    const double inv = 1.0 - alpha;
    const int width = self.GetWidth();
    const int height = self.GetHeight();
    // Pixels whose position on the DC lies beyond the int range get only their key test.
    const BlitArea inIntRange = Place(width, height, x, y, kIntRange);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            if (self.IsKeyColor(i, j)) continue;
            if (!inIntRange.HoldsSource(i, j)) continue;
            const int dcX = x + i;
            const int dcY = y + j;
            // GDI's failure value is taken apart like any other colour.
            const Pixel under = color::FromColorRef(::GetPixel(hdc, dcX, dcY));
            const auto r = static_cast<BYTE>(color::BlendChannel(self.GetRed(i, j), color::Red(under), alpha, inv));
            const auto g = static_cast<BYTE>(color::BlendChannel(self.GetGreen(i, j), color::Green(under), alpha, inv));
            const auto b = static_cast<BYTE>(color::BlendChannel(self.GetBlue(i, j), color::Blue(under), alpha, inv));
            ::SetPixel(hdc, dcX, dcY, color::ColorRef(r, g, b));
        }
    }
    ::GdiFlush();
    return true;
}

template bool Draw<CMemoryImage>(CMemoryImage&, HDC, int, int);
template bool Draw<CMemoryImage>(CMemoryImage&, HDC, int, int, int, int);
template bool DrawBlend<CMemoryImage>(CMemoryImage&, HDC, int, int, double);
template bool Draw<CDibSectionImage>(CDibSectionImage&, HDC, int, int);
template bool Draw<CDibSectionImage>(CDibSectionImage&, HDC, int, int, int, int);
template bool DrawBlend<CDibSectionImage>(CDibSectionImage&, HDC, int, int, double);

}  // namespace zvx
