#include "image/compose/Placement.h"

#include <algorithm>

namespace zvx {

BlitArea Place(int width, int height, long long x, long long y, const Extent& dest)
{
    // The first source column and row that land on dest, and where they land.
    const long long destX = std::max(x, dest.left);
    const long long destY = std::max(y, dest.top);
    const long long right = std::min(x + width, dest.right);
    const long long bottom = std::min(y + height, dest.bottom);
    if (destX >= right || destY >= bottom) return BlitArea{};

    BlitArea area;
    area.srcX = static_cast<int>(destX - x);
    area.srcY = static_cast<int>(destY - y);
    area.destX = static_cast<int>(destX);
    area.destY = static_cast<int>(destY);
    area.width = static_cast<int>(right - destX);
    area.height = static_cast<int>(bottom - destY);
    return area;
}

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
    area = Place(sizes.source.width, sizes.source.height, x, y, ExtentOf(sizes.dest.width, sizes.dest.height));
    return true;
}

bool PlaceBlitPart(const BlitSizes& sizes, int x, int y, int partWidth, int partHeight, BlitArea& area)
{
    area = BlitArea{};
    if (!Overlaps(sizes.source.width, sizes.source.height, sizes.dest.width, sizes.dest.height, x, y)) return false;
    if (partWidth < 1 || partHeight < 1) return false;
    area = Place(std::min(partWidth, sizes.source.width), std::min(partHeight, sizes.source.height), x, y,
                 ExtentOf(sizes.dest.width, sizes.dest.height));
    return true;
}

}  // namespace zvx
