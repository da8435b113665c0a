// Copies of a whole image: CopyFrom, colour by colour or the whole array in one block, and
// CreateSubImage, a rectangle into a new heap image; the general paths and their fast twins
// (image/FastPaths.h maps every fast path).
#include <cstddef>
#include <new>

#include "core/Planner.h"
#include "image/FastPaths.h"
#include "image/MemoryImage.h"
#include "image/Operations.h"
#include "image/Placement.h"

namespace zvx {

bool CopyFrom(IImage& image, const IImage* src, bool selfResult)
{
    if (src == nullptr) return false;
    if (IsSameImage(*src, image)) return selfResult;
    const int width = src->GetWidth();
    if (!CreateToOverwrite(image, width, src->GetHeight())) return false;

    const int newWidth = image.GetWidth();
    const int height = image.GetHeight();
    if (const PlainPair rows = PlainRows(*src, image)) {
        if (!Transfer(rows.source, rows.dest, Place(newWidth, height, 0, 0, Bounds(newWidth, height)),
                      RowOp::Colors())) {
            return false;
        }
    } else {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < newWidth; ++x) image.SetColor(x, y, src->GetColor(x, y));
        }
    }
    image.SetColorKey(src->GetColorKey());
    return true;
}

bool CopyFrom(IPixelBuffer& image, const IPixelBuffer* src, bool selfResult)
{
    if (src == nullptr) return false;
    if (IsSameImage(*src, image)) return selfResult;
    // A source without pixels cannot be copied; finding out before Create keeps this image intact.
    const Pixel* from = src->GetScanLine(0);
    if (from == nullptr) return false;
    const int width = src->GetWidth();
    if (!CreateToOverwrite(image, width, src->GetHeight())) return false;

    Pixel* to = image.GetScanLine(0);
    if (to == nullptr) return false;
    const int newWidth = image.GetWidth();
    const int height = image.GetHeight();
    if (!Transfer(PackedRows(from, newWidth, height), PackedRows(to, newWidth, height),
                  Place(newWidth, height, 0, 0, Bounds(newWidth, height)), RowOp::Words())) {
        return false;
    }
    image.SetColorKey(src->GetColorKey());
    return true;
}

IImage* CreateSubImage(const IImage& image, int x, int y, int width, int height)
{
    if (x < 0 || y < 0 || width < 1 || height < 1) return nullptr;

    // The constructor leaves the image empty when its pixels cannot be had; such an image is
    // never filled or handed out.
    auto* sub = new (std::nothrow) CMemoryImage(width, height);
    if (sub == nullptr) return nullptr;
    if (sub->GetWidth() != width || sub->GetHeight() != height) {
        delete sub;
        return nullptr;
    }

    if (const PlainPair rows = PlainRows(image, *sub)) {
        // The source placed so that the rectangle's corner lands on the new image's (0, 0); what
        // lies beyond the source's edges stays 0, as the new image already is.
        if (Transfer(rows.source, rows.dest,
                     Place(rows.source.width, rows.source.height, -static_cast<long long>(x),
                           -static_cast<long long>(y), Bounds(width, height)),
                     RowOp::Colors())) {
            return sub;
        }
        delete sub;
        return nullptr;
    }
    // Positions of the rectangle beyond the int range lie beyond any image's right or bottom
    // edge, which reads as 0.
    const BlitArea inIntRange = Place(width, height, x, y, kIntRange);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const Pixel color = inIntRange.HoldsSource(i, j) ? image.GetColor(x + i, y + j) : 0;
            sub->SetColor(i, j, color);
        }
    }
    return sub;
}

}  // namespace zvx
