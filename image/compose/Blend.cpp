#include "image/compose/Blend.h"

#include "image/DibSectionImage.h"
#include "image/FastPaths.h"
#include "image/MemoryImage.h"
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

}  // namespace

template <class Self>
bool BlendTo(Self& self, IImage* dest, int x, int y, double alpha)
{
    if (!(alpha > 0.0)) return false;  // also refuses NaN
    if (dest == nullptr) return false;
    if (alpha >= 1.0) return self.BltTo(dest, x, y);

    const int width = self.GetWidth();
    const int height = self.GetHeight();
    if (const PlainPair rows = PlainRows(self, *dest)) {
        // Source pixels that land outside dest read nothing that matters and write nothing, so
        // only the overlap is visited.
        BlendRows(rows, Place(width, height, x, y, ExtentOf(dest->GetWidth(), dest->GetHeight())), alpha,
                  self.GetColorKey());
        return true;
    }

    // The whole source is visited. A pixel whose position in dest lies beyond the int range has
    // no position to read or write: only its key test is made.
    const BlitArea nameable = Place(width, height, x, y, kIntRange);
    const double beta = 1.0 - alpha;
    const VisitOrder order = VisitOrder::For(static_cast<const IImage*>(&self) == dest, x, y);
    order.Run(width, height, [&](int sx, int sy) {
        if (self.IsKeyColor(sx, sy)) return;
        if (!nameable.HoldsSource(sx, sy)) return;
        const int dx = static_cast<int>(static_cast<long long>(x) + sx);
        const int dy = static_cast<int>(static_cast<long long>(y) + sy);

        // Reads in the order source red, destination red, source green, and so on.
        const double sourceRed = self.GetRed(sx, sy) * alpha;
        const int red = BlendChannel(sourceRed, dest->GetRed(dx, dy), beta);
        const double sourceGreen = self.GetGreen(sx, sy) * alpha;
        const int green = BlendChannel(sourceGreen, dest->GetGreen(dx, dy), beta);
        const double sourceBlue = self.GetBlue(sx, sy) * alpha;
        const int blue = BlendChannel(sourceBlue, dest->GetBlue(dx, dy), beta);

        dest->SetColor(dx, dy,
                       (static_cast<Pixel>(red) << 16) | (static_cast<Pixel>(green) << 8) | static_cast<Pixel>(blue));
    });
    return true;
}

template bool BlendTo<CMemoryImage>(CMemoryImage&, IImage*, int, int, double);
template bool BlendTo<CDibSectionImage>(CDibSectionImage&, IImage*, int, int, double);

}  // namespace zvx
