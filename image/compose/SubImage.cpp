#include "image/compose/SubImage.h"

#include <climits>
#include <new>

#include "image/MemoryImage.h"
#include "image/compose/BlitRows.h"

namespace zvx {

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

    if (CopyRectPlainRows(image, *sub, x, y)) return sub;
    for (int j = 0; j < height; ++j) {
        const long long sy = static_cast<long long>(y) + j;
        for (int i = 0; i < width; ++i) {
            const long long sx = static_cast<long long>(x) + i;
            // Beyond INT_MAX lies beyond any image's right or bottom edge, which reads as 0.
            const Pixel color = (sx <= INT_MAX && sy <= INT_MAX)
                                    ? image.GetColor(static_cast<int>(sx), static_cast<int>(sy))
                                    : 0;
            sub->SetColor(i, j, color);
        }
    }
    return sub;
}

}  // namespace zvx
