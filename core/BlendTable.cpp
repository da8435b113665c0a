#include "core/BlendTable.h"

#include <mutex>
#include <new>

#include "core/KernelChoice.h"

namespace zvx {

namespace {

// The process's one kept table and the alpha the blend before asked for, which one blend at a
// time reads or rebuilds. Not one per thread: a thread_local with a destructor is freed in the
// wrong order at thread exit by mingw-w64's runtime (a heap corruption), and one without a
// destructor would leak each thread's table.
std::mutex g_keptLock;
BlendTable g_kept;  // alpha 0 until built: no blend asks for 0
double g_asked = 0;

}  // namespace

KeptBlendTable::KeptBlendTable(double alpha, std::size_t pixels) : holds_(BlendTablesPay() && g_keptLock.try_lock())
{
    if (holds_) {
        const bool repeated = g_asked == alpha;
        g_asked = alpha;
        if (g_kept.alpha != alpha) {
            if (pixels < kBlendTablePixels && !repeated) return;
            BuildBlendTable(alpha, g_kept);
        }
        table_ = &g_kept;
        return;
    }
    // The formula is faster here, or another thread blends through the kept table: then a large
    // blend builds one of its own.
    if (!BlendTablesPay() || pixels < kBlendTablePixels) return;
    own_.reset(new (std::nothrow) BlendTable);
    if (own_ == nullptr) return;
    BuildBlendTable(alpha, *own_);
    table_ = own_.get();
}

KeptBlendTable::~KeptBlendTable()
{
    if (holds_) g_keptLock.unlock();
}

}  // namespace zvx
