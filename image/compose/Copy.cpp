#include "image/compose/Copy.h"

#include <cstddef>

#include "image/FastPaths.h"
#include "image/RowKernels.h"
#include "image/Planner.h"

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
        BlitRows(rows, Place(newWidth, height, 0, 0, ExtentOf(newWidth, height)), COLORKEY_NONE);
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
    Transfer(PackedRows(from, newWidth, height), PackedRows(to, newWidth, height),
             Place(newWidth, height, 0, 0, ExtentOf(newWidth, height)), RowOp::Words());
    image.SetColorKey(src->GetColorKey());
    return true;
}

}  // namespace zvx
