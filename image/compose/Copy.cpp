#include "image/compose/Copy.h"

#include <cstring>

#include "image/compose/BlitRows.h"

namespace zvx {

bool CopyFrom(IImage& image, const IImage* src, bool selfResult)
{
    if (src == nullptr) return false;
    if (src == &image) return selfResult;
    if (!image.Create(src->GetWidth(), src->GetHeight(), 0)) return false;

    if (!CopyColorsPlainRows(image, *src)) {
        const int width = image.GetWidth();
        const int height = image.GetHeight();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) image.SetColor(x, y, src->GetColor(x, y));
        }
    }
    image.SetColorKey(src->GetColorKey());
    return true;
}

bool CopyFrom(IPixelBuffer& image, const IPixelBuffer* src, bool selfResult)
{
    if (src == nullptr) return false;
    if (src == &image) return selfResult;
    // A source without pixels cannot be copied; finding out before Create keeps this image intact.
    const Pixel* from = src->GetScanLine(0);
    if (from == nullptr) return false;
    if (!image.Create(src->GetWidth(), src->GetHeight(), 0)) return false;

    Pixel* to = image.GetScanLine(0);
    if (to == nullptr) return false;
    const std::size_t bytes = static_cast<std::size_t>(image.GetWidth()) *
                              static_cast<std::size_t>(image.GetHeight()) * sizeof(Pixel);
    std::memcpy(to, from, bytes);
    image.SetColorKey(src->GetColorKey());
    return true;
}

}  // namespace zvx
