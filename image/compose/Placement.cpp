#include "image/compose/Placement.h"

#include <algorithm>

namespace zvx {
namespace {

// Clips a run of runWidth x runHeight source pixels placed at (x, y). All inputs widened to 64
// bits first; the results are within the two images, so they fit in int again.
void Clip(long long runWidth, long long runHeight, long long destWidth, long long destHeight,
          long long x, long long y, BlitArea& area)
{
    long long srcX = 0;
    long long srcY = 0;
    long long destX = x;
    long long destY = y;
    if (x < 0) {
        srcX = -x;
        runWidth += x;
        destX = 0;
    }
    if (y < 0) {
        srcY = -y;
        runHeight += y;
        destY = 0;
    }
    if (destX + runWidth > destWidth) runWidth = destWidth - destX;
    if (destY + runHeight > destHeight) runHeight = destHeight - destY;

    if (runWidth <= 0 || runHeight <= 0) {
        area = BlitArea{};
        return;
    }
    area.srcX = static_cast<int>(srcX);
    area.srcY = static_cast<int>(srcY);
    area.destX = static_cast<int>(destX);
    area.destY = static_cast<int>(destY);
    area.width = static_cast<int>(runWidth);
    area.height = static_cast<int>(runHeight);
}

bool Overlaps(long long srcWidth, long long srcHeight, long long destWidth, long long destHeight,
              long long x, long long y)
{
    if (x <= -srcWidth) return false;
    if (y <= -srcHeight) return false;
    if (x >= destWidth) return false;
    if (y >= destHeight) return false;
    return true;
}

}  // namespace

bool PlaceBlit(int srcWidth, int srcHeight, int destWidth, int destHeight, int x, int y,
               BlitArea& area)
{
    area = BlitArea{};
    if (!Overlaps(srcWidth, srcHeight, destWidth, destHeight, x, y)) return false;
    Clip(srcWidth, srcHeight, destWidth, destHeight, x, y, area);
    return true;
}

bool PlaceBlitPart(int srcWidth, int srcHeight, int destWidth, int destHeight, int x, int y,
                   int partWidth, int partHeight, BlitArea& area)
{
    area = BlitArea{};
    if (!Overlaps(srcWidth, srcHeight, destWidth, destHeight, x, y)) return false;
    if (partWidth < 1 || partHeight < 1) return false;
    Clip(std::min(partWidth, srcWidth), std::min(partHeight, srcHeight), destWidth, destHeight, x,
         y, area);
    return true;
}

}  // namespace zvx
