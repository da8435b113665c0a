// Every channel result of the blend at one alpha, so that a blend can look its results up instead
// of computing them, and the table kept for the next blend at the same alpha.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zvx {

// result[s << 8 | d] is trunc(d x (1 - alpha) + s x alpha) for source channel s over destination
// channel d, computed by the blend's own formula (BlendColors), so a blend through it gives the
// same words with one load per channel. Building it costs about what blending 10,000 pixels by
// the formula does; blending through it saves about 40 % of the formula's time.
struct BlendTable {
    double alpha = 0;
    // Three bytes past the last result: a vector kernel reads four bytes at each index.
    std::uint8_t result[65536 + 3] = {};
};
void BuildBlendTable(double alpha, BlendTable& table);

// The table for alpha that this thread keeps, built now where that pays: for a blend of at least
// kBlendTablePixels pixels, or when the blend before on this thread asked for the same alpha (a
// program blends at few alphas; a fade, at a new one every time, builds only for large blends).
// Null when blending by the formula is the cheaper way (or no memory is to be had). Valid until
// the next call on the same thread; images are used from several threads, so each keeps its own.
constexpr std::size_t kBlendTablePixels = 32768;
const BlendTable* KeptBlendTable(double alpha, std::size_t pixels);

}  // namespace zvx
