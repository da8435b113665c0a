#include "image/compose/Blend.h"

#include <climits>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "image/compose/BlendRows.h"
#include "image/compose/Placement.h"

namespace zvx {
namespace {

// One channel: trunc(d x beta + s x alpha), each product and the sum rounded to double (the
// build forbids fused multiply-add), capped at 255. Never negative for 0 < alpha < 1.
int BlendChannel(double weightedSource, BYTE destChannel, double beta)
{
    const double destPart = static_cast<double>(destChannel) * beta;
    const double sum = destPart + weightedSource;
    const int value = static_cast<int>(sum);
    return value > 255 ? 255 : value;
}

bool FitsInInt(long long v) { return v >= INT_MIN && v <= INT_MAX; }

}  // namespace

template <class Self>
bool BlendTo(Self& self, IImage* dest, int x, int y, double alpha)
{
    if (!(alpha > 0.0)) return false;  // also refuses NaN
    if (dest == nullptr) return false;
    if (alpha >= 1.0) return self.BltTo(dest, x, y);
    if (BlendPlainRows(self, *dest, x, y, alpha)) return true;

    const double beta = 1.0 - alpha;
    const VisitOrder order =
        VisitOrder::For(static_cast<const IImage*>(&self) == dest, x, y);
    order.Run(self.GetWidth(), self.GetHeight(), [&](int sx, int sy) {
        if (self.IsKeyColor(sx, sy)) return;
        const long long wideX = static_cast<long long>(x) + sx;
        const long long wideY = static_cast<long long>(y) + sy;
        // A position beyond the int range lies outside every image: nothing to read or write.
        if (!FitsInInt(wideX) || !FitsInInt(wideY)) return;
        const int dx = static_cast<int>(wideX);
        const int dy = static_cast<int>(wideY);

        // Reads in the order source red, destination red, source green, and so on.
        const double sourceRed = self.GetRed(sx, sy) * alpha;
        const int red = BlendChannel(sourceRed, dest->GetRed(dx, dy), beta);
        const double sourceGreen = self.GetGreen(sx, sy) * alpha;
        const int green = BlendChannel(sourceGreen, dest->GetGreen(dx, dy), beta);
        const double sourceBlue = self.GetBlue(sx, sy) * alpha;
        const int blue = BlendChannel(sourceBlue, dest->GetBlue(dx, dy), beta);

        dest->SetColor(dx, dy,
                       (static_cast<Pixel>(red) << 16) | (static_cast<Pixel>(green) << 8) |
                           static_cast<Pixel>(blue));
    });
    return true;
}

template bool BlendTo<CMemoryImage>(CMemoryImage&, IImage*, int, int, double);
template bool BlendTo<CDibSectionImage>(CDibSectionImage&, IImage*, int, int, double);

}  // namespace zvx
