// Where one image lands on another: the sizes a blit places by, the placements of BltTo's forms,
// and whether two interface pointers are one image. The clipping itself is the pixel core's
// (core/Clip.h).
#pragma once

#include "core/Clip.h"
#include "image/IImage.h"

namespace zvx {

// The sizes a blit places by: the source's and the destination's.
struct Size {
    int width = 0;
    int height = 0;
};
struct BlitSizes {
    Size source;
    Size dest;
};
// Read as a derived class sees them: the source's width and height, then the destination's (a
// braced list is evaluated in order).
inline BlitSizes SizesOf(const IImage& source, const IImage& dest)
{
    return {{source.GetWidth(), source.GetHeight()}, {dest.GetWidth(), dest.GetHeight()}};
}

// The placement of BltTo onto an IPixelBuffer or an IImage: false, with the area left empty,
// when the images do not overlap (x <= -source width, y <= -source height, x >= dest width,
// y >= dest height, tested in that order); otherwise the clipped area, which is empty only for an
// empty destination.
bool PlaceBlit(const BlitSizes& sizes, int x, int y, BlitArea& area);

// The same for the sized BltTo's top-left partWidth x partHeight block. The overlap tests use
// the whole source's size; then a part width or height below 1 is refused; the part is limited
// to the source's size before clipping.
bool PlaceBlitPart(const BlitSizes& sizes, int x, int y, int partWidth, int partHeight, BlitArea& area);

// Whether two interface pointers denote one image: their IImage parts are the same object (IImage
// is a virtual base, so every image has exactly one).
inline bool IsSameImage(const IImage& a, const IImage& b) { return &a == &b; }

}  // namespace zvx
