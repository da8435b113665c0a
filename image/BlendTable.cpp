#include "image/BlendTable.h"

#include <memory>
#include <new>

namespace zvx {

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
