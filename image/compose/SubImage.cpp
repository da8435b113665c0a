#include "image/compose/SubImage.h"

#include <new>

#include "image/FastPaths.h"
#include "image/MemoryImage.h"
#include "image/Planner.h"

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

    if (const PlainPair rows = PlainRows(image, *sub)) {
        // The source placed so that the rectangle's corner lands on the new image's (0, 0); what
        // lies beyond the source's edges stays 0, as the new image already is.
        BlitRows(rows,
                 Place(image.GetWidth(), image.GetHeight(), -static_cast<long long>(x), -static_cast<long long>(y),
                       ExtentOf(width, height)),
                 COLORKEY_NONE);
        return sub;
    }
    // Positions of the rectangle beyond the int range lie beyond any image's right or bottom
    // edge, which reads as 0.
    const BlitArea nameable = Place(width, height, x, y, kIntRange);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const Pixel color = nameable.HoldsSource(i, j) ? image.GetColor(x + i, y + j) : 0;
            sub->SetColor(i, j, color);
        }
    }
    return sub;
}

}  // namespace zvx
