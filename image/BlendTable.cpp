#include "image/BlendTable.h"

#include <memory>
#include <new>

namespace zvx {

void BuildBlendTable(double alpha, BlendTable& table)
{
    // The formula of every blend kernel: trunc(d x beta + s x alpha), each product rounded on its
    // own before the sum (no fused multiply-add), capped at 255. The loops vectorise.
    const double beta = 1.0 - alpha;
    double destPart[256];
    for (int d = 0; d < 256; ++d) destPart[d] = static_cast<double>(d) * beta;
    for (int s = 0; s < 256; ++s) {
        const double sourcePart = static_cast<double>(s) * alpha;
        std::uint8_t* row = table.result + (s << 8);
        for (int d = 0; d < 256; ++d) {
            const int value = static_cast<int>(destPart[d] + sourcePart);
            row[d] = static_cast<std::uint8_t>(value > 255 ? 255 : value);
        }
    }
    table.alpha = alpha;
}

const BlendTable* KeptBlendTable(double alpha, std::size_t pixels)
{
    struct Kept {
        std::unique_ptr<BlendTable> table;
        double asked = 0;  // the alpha of the blend before
    };
    thread_local Kept kept;
    const bool repeated = kept.asked == alpha;
    kept.asked = alpha;
    if (kept.table != nullptr && kept.table->alpha == alpha) return kept.table.get();
    if (pixels < kBlendTablePixels && !repeated) return nullptr;
    if (kept.table == nullptr) kept.table.reset(new (std::nothrow) BlendTable);
    if (kept.table == nullptr) return nullptr;
    BuildBlendTable(alpha, *kept.table);
    return kept.table.get();
}

}  // namespace zvx
