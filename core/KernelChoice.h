// Which kernel each row operation uses, chosen by what this processor does fast rather than by
// the instruction sets it has: gathers, 512-bit operations and string stores are fast on some
// processors and slow on others, from vendor to vendor, generation to generation, microcode to
// microcode, so the choice is measured rather than looked up in a table of models.
//
// Once a process, at the first use of the row kernels, every kernel of an operation that the
// variants this run may use (core/RowKernels.h) hold is timed on a few kilobytes, in turns, the
// fastest of several tries counting (tens of microseconds in all). The widest variant's kernel
// is the default; another replaces it only when clearly faster (ClearlyFaster), so that the noise
// of a busy machine cannot flip a choice from run to run. Every variant gives the same words, so
// the choice changes speed only.
//
// What only shows at full size, whether a large block is written around the cache and how a
// large fill is best stored, is learned from the first such calls themselves (LearnedWay).
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

#include "core/RowKernels.h"

namespace zvx {

// The one rule of every measured choice: a way that took `candidate` replaces the default, which
// took `reference`, only when it is faster by at least a tenth.
constexpr bool ClearlyFaster(double candidate, double reference) { return candidate <= 0.9 * reference; }

// The measured kernels: the same set for every caller, measured by the first (thread-safe).
const RowKernelSet& ChosenRowKernels();

// Whether a blend should go through a blend table (core/BlendTable.h): under the measured choice,
// when looking results up was clearly faster than the formula here; always while a test holds
// the kernels to one variant, whose table kernels are part of it.
bool BlendTablesPay();

// What was chosen for each operation, with the times measured (nanoseconds a pixel, a byte for
// the copy), and what the large work has learned so far: a line each, for the bench.
std::string DescribeChosenKernels();
std::string DescribeLearnedWays();

// A choice between two ways of doing a large piece of work, learned from the work itself: the
// first calls are timed, kSamples by the default way, then kSamples by the other, and the fastest
// time per byte of each decides by ClearlyFaster; from then on the kept way is used and nothing
// is timed. Safe to use from several threads at once, once the default is set.
class LearnedWay {
public:
    static constexpr int kSamples = 8;

    explicit LearnedWay(int defaultWay = 0) : default_(defaultWay) {}
    LearnedWay(const LearnedWay&) = delete;
    LearnedWay& operator=(const LearnedWay&) = delete;

    // The way for the next call, and whether that call is to be timed.
    int Pick(bool& timed);
    // A timed call by `way` took `seconds` for `bytes` bytes.
    void Learn(int way, double seconds, double bytes);
    // The kept way, or -1 while learning.
    int Kept() const { return kept_.load(std::memory_order_relaxed); }
    // Whether any call has asked for a way.
    bool Used() const { return used_.load(std::memory_order_relaxed); }

private:
    int default_;
    std::atomic<int> kept_{-1};
    std::atomic<bool> used_{false};
    std::mutex lock_;
    unsigned calls_ = 0;
    int samples_[2] = {};
    double best_[2] = {};  // seconds per byte, the fastest sample
};

// One call's use of a LearnedWay, timed while it learns: the way is picked at construction and
// the time reported at destruction. A call that is not large enough to count takes way 0
// untimed.
class WayCall {
public:
    WayCall(LearnedWay& way, bool counts, double bytes);
    ~WayCall();
    WayCall(const WayCall&) = delete;
    WayCall& operator=(const WayCall&) = delete;
    int Way() const { return way_; }

private:
    LearnedWay* learned_;
    int way_ = 0;
    bool timed_ = false;
    double bytes_;
    double start_ = 0;
};

// The large work learned: transfers writing more than kStreamingBytes, by their row operation, go
// around the cache (way 0) or through it (way 1); fills of kLargeFillPixels or more store vectors
// (way 0, the default) or use the processor's string store (way 1). Each is learned apart for each
// size class (from the smallest size on, each twice the one before, the last open): whether a
// block fits the cache depends on its size. A transfer's default is through the cache where the
// smallest block of its class and its source fit in half the last-level cache, else around it:
// a short learning flatters streaming (its first calls write to an idle memory bus), and a
// program that repeats such a transfer finds its block cached the next time.
enum class LargeWork { Copies, ColourCopies, Rows24, Fills };
constexpr int kLargeWorks = 4;
constexpr int kLargeSizes = 6;
constexpr std::size_t kLargeFillPixels = std::size_t{1} << 18;
LearnedWay& Learned(LargeWork work, std::size_t bytes);

}  // namespace zvx
