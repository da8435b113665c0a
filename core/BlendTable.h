// Every channel result of the blend at one alpha, so that a blend can look its results up instead
// of computing them, and the table kept for the next blend at the same alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zvx {

// result[s << 8 | d] is trunc(d x (1 - alpha) + s x alpha) for source channel s over destination
// channel d, computed by the blend's own formula (color::BlendChannel), so a blend through it gives the
// same words with one load per channel. Whether that is faster than the formula depends on the
// processor (gathers are fast on some, slow on others): it is measured (core/KernelChoice.h).
struct BlendTable {
    double alpha = 0;
    // Three bytes past the last result: a vector kernel reads four bytes at each index.
    std::uint8_t result[65536 + 3] = {};
};
// Builds the table with the row kernels in use (defined with their table, core/RowKernels.cpp).
void BuildBlendTable(double alpha, BlendTable& table);

// The kept table for alpha, built where that pays: on a processor where looking up is clearly
// faster than the formula (BlendTablesPay), for a blend of at least kBlendTablePixels pixels, or
// when the blend before asked for the same alpha (a program blends at few alphas; a fade, at a new
// one every time, builds only for large blends). get() is null when blending by the formula is
// the cheaper way (or no memory is to be had). The process keeps one table, held by one
// blend at a time from construction to destruction; a blend that finds it held by another thread
// builds one of its own when large, else blends by the formula.
constexpr std::size_t kBlendTablePixels = 32768;
class KeptBlendTable {
public:
    KeptBlendTable(double alpha, std::size_t pixels);
    ~KeptBlendTable();
    KeptBlendTable(const KeptBlendTable&) = delete;
    KeptBlendTable& operator=(const KeptBlendTable&) = delete;
    const BlendTable* get() const { return table_; }

private:
    bool holds_;
    const BlendTable* table_ = nullptr;
    std::unique_ptr<BlendTable> own_;
};

}  // namespace zvx
