// BltTo: one image's pixels placed into another at an offset, clipped, key pixels skipped, by GDI
// onto a DIB section's DC, by a block per row onto a pixel buffer, or pixel by pixel; the general
// paths and their fast twins (image/FastPaths.h maps every fast path).
#include <cstddef>

#include "core/Planner.h"
#include "core/RowKernels.h"
#include "image/DibSectionImage.h"
#include "image/FastPaths.h"
#include "image/MemoryImage.h"
#include "image/Operations.h"
#include "image/Placement.h"

namespace zvx {
namespace {

// The per-pixel copy over a placed area. With a key, key-coloured source pixels are skipped and
// the others copied as whole words; without one, colours are copied and top bytes cleared. False,
// with nothing copied, when the fast path's Transfer has no memory for a snapshot.
template <class Self>
bool CopyPixelByPixel(Self& self, IImage& dest, const BlitArea& area)
{
    if (const PlainPair rows = PlainRows(self, dest)) {
        const ColorKey key = self.GetColorKey();
        return Transfer(rows.source, rows.dest, area,
                        key == COLORKEY_NONE ? RowOp::Colors() : RowOp::UnlessKey(static_cast<Pixel>(key)));
    }
    const VisitOrder order = VisitOrder::For(IsSameImage(self, dest), area);
    const bool keyed = self.GetColorKey() != COLORKEY_NONE;
    order.Run(area.width, area.height, [&](int i, int j) {
        const int sx = area.srcX + i;
        const int sy = area.srcY + j;
        const int dx = area.destX + i;
        const int dy = area.destY + j;
        if (!keyed) {
            dest.SetPixel(dx, dy, self.GetColor(sx, sy));
        } else if (!self.IsKeyColor(sx, sy)) {
            dest.SetPixel(dx, dy, self.GetPixel(sx, sy));
        }
    });
    return true;
}

// A keyed image drawn onto its own DC. Draw then sets the pixels one by one, reading each from the
// image it writes in an order that knows nothing of the overlap, so it draws from a snapshot: the
// same pixels as a blit of an untouched copy. (Without a key Draw is one SetDIBitsToDevice, which
// copies as from an untouched copy where source and target share memory: Windows does, and
// natively the planner.)
template <class Self>
bool DrawFromSnapshot(Self& self, HDC dc, int x, int y)
{
    CMemoryImage snapshot(0, 0);
    if (!snapshot.CopyFrom(static_cast<const IPixelBuffer*>(&self))) return false;
    return snapshot.Draw(dc, x, y);
}

}  // namespace

template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y, int width, int height)
{
    if (dest == nullptr) return false;
    BlitArea area;
    if (!PlaceBlitPart(SizesOf(self, *dest), x, y, width, height, area)) {
        return false;
    }
    return CopyPixelByPixel(self, *dest, area);
}

template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y)
{
    if (dest == nullptr) return false;
    BlitArea area;
    if (!PlaceBlit(SizesOf(self, *dest), x, y, area)) {
        return false;
    }
    return CopyPixelByPixel(self, *dest, area);
}

template <class Self>
bool BltToPixels(Self& self, IPixelBuffer* dest, int x, int y)
{
    if (dest == nullptr) return false;
    IImage& destImage = *dest;
    BlitArea area;
    if (!PlaceBlit(SizesOf(self, destImage), x, y, area)) {
        return false;
    }
    if (self.GetColorKey() != COLORKEY_NONE) return CopyPixelByPixel(self, destImage, area);

    if (const PlainPair rows = PlainRows(self, destImage)) {
        return Transfer(rows.source, rows.dest, area, RowOp::Words());
    }
    // One block per row, whole words, rows in the planner's order and each run by the kernels it
    // picks, which makes a self-blit safe.
    const VisitOrder order = VisitOrder::For(IsSameImage(self, destImage), area);
    const RowKernelSet& kernels = order.Kernels();
    const auto bytes = static_cast<std::size_t>(area.width) * sizeof(Pixel);
    const Self& source = self;
    order.Run(1, area.height, [&](int, int j) {
        const Pixel* from = source.GetScanLine(area.srcY + j);
        Pixel* to = dest->GetScanLine(area.destY + j);
        if (from == nullptr || to == nullptr) return;
        kernels.copyBytes(reinterpret_cast<const std::uint8_t*>(from + area.srcX),
                          reinterpret_cast<std::uint8_t*>(to + area.destX), bytes, false);
    });
    return true;
}

template <class Self>
bool BltToGdi(Self& self, IGdiImage* dest, int x, int y)
{
    if (dest == nullptr) return false;
    if (IsSameImage(self, *dest) && self.GetColorKey() != COLORKEY_NONE)
        return DrawFromSnapshot(self, dest->GetDC(), x, y);
    return self.Draw(dest->GetDC(), x, y);
}

template <class Self>
bool BltToDib(Self& self, IDibImage* dest, int x, int y)
{
    if (dest == nullptr) return false;
    if (self.GetColorKey() != COLORKEY_NONE) {
        return self.BltTo(static_cast<IPixelBuffer*>(dest), x, y);
    }
    return self.Draw(dest->GetDC(), x, y);
}

template bool BltToImage<CMemoryImage>(CMemoryImage&, IImage*, int, int, int, int);
template bool BltToDib<CMemoryImage>(CMemoryImage&, IDibImage*, int, int);
template bool BltToGdi<CMemoryImage>(CMemoryImage&, IGdiImage*, int, int);
template bool BltToPixels<CMemoryImage>(CMemoryImage&, IPixelBuffer*, int, int);
template bool BltToImage<CMemoryImage>(CMemoryImage&, IImage*, int, int);
template bool BltToImage<CDibSectionImage>(CDibSectionImage&, IImage*, int, int, int, int);
template bool BltToDib<CDibSectionImage>(CDibSectionImage&, IDibImage*, int, int);
template bool BltToGdi<CDibSectionImage>(CDibSectionImage&, IGdiImage*, int, int);
template bool BltToPixels<CDibSectionImage>(CDibSectionImage&, IPixelBuffer*, int, int);
template bool BltToImage<CDibSectionImage>(CDibSectionImage&, IImage*, int, int);

}  // namespace zvx
