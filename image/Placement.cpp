#include "image/Placement.h"

#include <algorithm>

namespace zvx {
namespace {

bool Overlaps(long long srcWidth, long long srcHeight, long long destWidth, long long destHeight, long long x,
              long long y)
{
    if (x <= -srcWidth) return false;
    if (y <= -srcHeight) return false;
    if (x >= destWidth) return false;
    if (y >= destHeight) return false;
    return true;
}

}  // namespace

bool PlaceBlit(const BlitSizes& sizes, int x, int y, BlitArea& area)
{
    area = BlitArea{};
    if (!Overlaps(sizes.source.width, sizes.source.height, sizes.dest.width, sizes.dest.height, x, y)) return false;
    area = Place(sizes.source.width, sizes.source.height, x, y, Bounds(sizes.dest.width, sizes.dest.height));
    return true;
}

bool PlaceBlitPart(const BlitSizes& sizes, int x, int y, int partWidth, int partHeight, BlitArea& area)
{
    area = BlitArea{};
    if (!Overlaps(sizes.source.width, sizes.source.height, sizes.dest.width, sizes.dest.height, x, y)) return false;
    if (partWidth < 1 || partHeight < 1) return false;
    area = Place(std::min(partWidth, sizes.source.width), std::min(partHeight, sizes.source.height), x, y,
                 Bounds(sizes.dest.width, sizes.dest.height));
    return true;
}

}  // namespace zvx
