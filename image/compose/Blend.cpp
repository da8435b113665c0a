// BlendTo: one image laid over another with an opacity, key pixels left out; the general path and
// its fast twin (image/FastPaths.h maps every fast path).
#include <cstddef>

#include "core/BlendTable.h"
#include "core/Color.h"
#include "core/Planner.h"
#include "image/DibSectionImage.h"
#include "image/FastPaths.h"
#include "image/MemoryImage.h"
#include "image/Operations.h"
#include "image/Placement.h"

namespace zvx {

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
        const BlitArea area = Place(width, height, x, y, Bounds(rows.dest.width, rows.dest.height));
        if (area.IsEmpty()) return true;
        const KeptBlendTable table(alpha, static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
        return Transfer(rows.source, rows.dest, area, RowOp::Blend(alpha, table.get(), self.GetColorKey()));
    }

    // The whole source is visited. A pixel whose position in dest lies beyond the int range has
    // no position to read or write: only its key test is made.
    const BlitArea inIntRange = Place(width, height, x, y, kIntRange);
    const double beta = 1.0 - alpha;
    const VisitOrder order = VisitOrder::For(IsSameImage(self, *dest), x, y);
    order.Run(width, height, [&](int sx, int sy) {
        if (self.IsKeyColor(sx, sy)) return;
        if (!inIntRange.HoldsSource(sx, sy)) return;
        const int dx = static_cast<int>(static_cast<long long>(x) + sx);
        const int dy = static_cast<int>(static_cast<long long>(y) + sy);

        // Reads in the order source red, destination red, source green, and so on.
        const BYTE sourceRed = self.GetRed(sx, sy);
        const auto red = static_cast<Pixel>(color::BlendChannel(sourceRed, dest->GetRed(dx, dy), alpha, beta));
        const BYTE sourceGreen = self.GetGreen(sx, sy);
        const auto green = static_cast<Pixel>(color::BlendChannel(sourceGreen, dest->GetGreen(dx, dy), alpha, beta));
        const BYTE sourceBlue = self.GetBlue(sx, sy);
        const auto blue = static_cast<Pixel>(color::BlendChannel(sourceBlue, dest->GetBlue(dx, dy), alpha, beta));
        dest->SetColor(dx, dy, color::Rgb(red, green, blue));
    });
    return true;
}

template bool BlendTo<CMemoryImage>(CMemoryImage&, IImage*, int, int, double);
template bool BlendTo<CDibSectionImage>(CDibSectionImage&, IImage*, int, int, double);

}  // namespace zvx
