// The measuring of the row kernels at first use, and the ways learned from large calls.
#include "core/KernelChoice.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "core/BlendTable.h"

#if defined(ZVX_X86_ROW_KERNELS)
#include <x86intrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace zvx {
namespace {

// The processor's time-stamp counter where there is one: a few cycles to read, and fine enough to
// time a kernel on a kilobyte. Only x86 builds have more than one variant to choose from.
std::uint64_t Ticks()
{
#if defined(ZVX_X86_ROW_KERNELS)
    return __rdtsc();
#else
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

// The last-level cache's size in bytes, as the processor's deterministic cache parameters give it
// (CPUID leaf 4 on Intel's, 0x8000001D on AMD's); 0 where it does not say.
std::size_t LastLevelCacheBytes()
{
#if defined(__x86_64__) || defined(__i386__)
    std::size_t largest = 0;
    for (const unsigned leaf : {0x4u, 0x8000001Du}) {
        if (static_cast<unsigned>(__get_cpuid_max(leaf & 0x80000000u, nullptr)) < leaf) continue;
        for (unsigned level = 0; level < 8; ++level) {
            unsigned a = 0, b = 0, c = 0, d = 0;
            __cpuid_count(leaf, level, a, b, c, d);
            if ((a & 0x1Fu) == 0) break;  // no more caches
            const std::size_t ways = (b >> 22) + 1, parts = ((b >> 12) & 0x3FFu) + 1, line = (b & 0xFFFu) + 1;
            largest = std::max(largest, ways * parts * line * (std::size_t{c} + 1));
        }
        if (largest > 0) break;
    }
    return largest;
#else
    return 0;
#endif
}

double Seconds() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// The smallest size in bytes the large work of a kind is learned for.
std::size_t LargeSizeFrom(LargeWork work)
{
    return work == LargeWork::Fills ? kLargeFillPixels * sizeof(Pixel) : kStreamingBytes;
}

// The operations measured, in the order DescribeChosenKernels lists them.
enum Operation { kCopy, kColors, kKeyedCopy, kBlend, kTableBlend, kRows24, kFill, kOperations };
constexpr const char* kOperationNames[kOperations] = {"copy",        "colours", "keyed copy", "blend",
                                                      "table blend", "24-bit",  "fill"};
// Pixels (bytes for the copy) each try works on, and how many times over: about a microsecond for
// the fastest kernels of most operations.
constexpr std::size_t kTryPixels[kOperations] = {2048, 1024, 1024, 512, 512, 1024, 1920};
constexpr int kTryRepeats[kOperations] = {8, 6, 4, 1, 1, 3, 3};
constexpr int kTries = 4;
constexpr std::size_t kVariants = sizeof kRowSimdVariants / sizeof kRowSimdVariants[0];

// An operation's measuring: each variant's time a pixel (0 where its kernel is a narrower
// variant's), in ticks until the end, and the variant chosen.
struct Measured {
    double perPixel[kVariants] = {};
    RowSimd chosen = RowSimd::C;
};

struct Choice {
    RowKernelSet kernels{};
    // The fills the chosen one dispatches to: below kLargeFillPixels the measured one; from there
    // the widest vector fill or the string store, as learned (null where there is no choice).
    void (*smallFill)(Pixel*, std::size_t, Pixel) = nullptr;
    void (*vectorFill)(Pixel*, std::size_t, Pixel) = nullptr;
    void (*stringFill)(Pixel*, std::size_t, Pixel) = nullptr;
    Measured measured[kOperations];
    double microseconds = 0;  // the whole measuring took
};

// The blend through a table, measured apart, at the first blend: only a process that blends pays
// for a table's worth of memory to measure in.
struct TableChoice {
    bool pays = false;
    decltype(RowKernelSet::blendByTable) kernel = nullptr;
    Measured measured;
    double formulaPerPixel = 0;  // the chosen formula's, measured beside
};

// What the tries work on: source and target words and 24-bit rows, each starting a cache line
// (as a DIB section's rows do) and half a page from the others (so that no store looks, by its
// address's low bits, like a later load of the next pixels), so that the times do not depend on
// where the heap put them.
struct Scratch {
    static constexpr Pixel kKey = 0x00FF00FFu;
    static constexpr std::size_t kPixels = 2048;
    static constexpr std::size_t kLine = 64;
    static constexpr std::size_t kApart = 4 * kPixels + 2048;  // from one buffer to the next
    std::unique_ptr<std::uint8_t[]> memory{new (std::nothrow) std::uint8_t[3 * kApart + kLine]};
    Pixel* from = nullptr;
    Pixel* to = nullptr;
    BYTE* bytes = nullptr;

    Scratch()
    {
        if (memory == nullptr) return;
        auto* line = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(memory.get()) + kLine - 1) /
                                                     kLine * kLine);
        from = reinterpret_cast<Pixel*>(line);
        to = reinterpret_cast<Pixel*>(line + kApart);
        bytes = line + 2 * kApart;
        for (std::size_t i = 0; i < kPixels; ++i) {
            // Some of the source's pixels show the key the keyed copy is given.
            from[i] = i % 7 == 3 ? kKey : static_cast<Pixel>(i * 2654435761u);
            to[i] = static_cast<Pixel>(i * 40503u + 77u);
        }
        std::memset(bytes, 0x5A, 3 * kPixels);
    }
    bool IsWhole() const { return memory != nullptr; }
};

// The fastest of kTries tries of each kernel whose index `take` allows, in turns, into best.
template <class Kernel, class Call, class Take>
void Tries(const Kernel* kernels, std::size_t count, int repeats, Call call, Take take, double* best)
{
    for (int attempt = 0; attempt < kTries; ++attempt) {
        for (std::size_t k = 0; k < count; ++k) {
            if (!take(k)) continue;
            const std::uint64_t start = Ticks();
            for (int repeat = 0; repeat < repeats; ++repeat) call(kernels[k]);
            const auto ticks = static_cast<double>(Ticks() - start);
            if (ticks < best[k]) best[k] = ticks;
        }
    }
}

// Whether the kernel that took best[pick] replaces the default that took best[reference]: only
// if clearly faster, and again when both are timed afresh (the times kept are the faster).
template <class Kernel, class Call>
bool Confirmed(const Kernel* kernels, std::size_t count, int repeats, Call call, std::size_t pick,
               std::size_t reference, double* best)
{
    if (pick == reference || !ClearlyFaster(best[pick], best[reference])) return false;
    const double first[2] = {best[pick], best[reference]};
    best[pick] = best[reference] = 1e300;
    Tries(
        kernels, count, repeats, call, [&](std::size_t k) { return k == pick || k == reference; }, best);
    const bool again = ClearlyFaster(best[pick], best[reference]);
    best[pick] = std::min(best[pick], first[0]);
    best[reference] = std::min(best[reference], first[1]);
    return again;
}

// An operation's kernels, those of `field` that the variants this run may use hold, narrowest
// first, each once (a variant without its own holds a narrower one's), timed at construction;
// call(kernel) runs one try. Chosen() then gives the widest variant's unless another was clearly
// faster and is again when timed afresh: later, after the other operations, so that a passing
// state of the processor (a burst of work beside it, wide units still waking) cannot make the
// choice on its own.
template <class Kernel, class Call>
class Candidates {
public:
    Candidates(Operation operation, Kernel RowKernelSet::*field, Call call) : operation_(operation), call_(call)
    {
        for (const RowSimd simd : kRowSimdVariants) {
            if (simd > BestRowSimd()) break;
            const Kernel kernel = RowKernelsOf(simd).*field;
            bool seen = kernel == nullptr;
            for (std::size_t k = 0; k < count_; ++k) seen = seen || kernels_[k] == kernel;
            if (seen) continue;
            kernels_[count_] = kernel;
            owners_[count_] = simd;
            ++count_;
        }
        for (std::size_t k = 0; k < count_; ++k) {
            call_(kernels_[k]);  // untimed: code and data into the caches
            best_[k] = 1e300;
        }
        Tries(
            kernels_, count_, kTryRepeats[operation_], call_, [](std::size_t) { return true; }, best_);
    }

    Kernel Chosen(Measured& measured)
    {
        const std::size_t widest = count_ - 1;
        std::size_t pick = widest;
        for (std::size_t k = 0; k < count_; ++k) {
            if (best_[k] < best_[pick]) pick = k;
        }
        const int repeats = kTryRepeats[operation_];
        if (!Confirmed(kernels_, count_, repeats, call_, pick, widest, best_)) pick = widest;
        for (std::size_t k = 0; k < count_; ++k) {
            measured.perPixel[static_cast<int>(owners_[k])] =
                best_[k] / static_cast<double>(kTryPixels[operation_] * repeats);
        }
        measured.chosen = owners_[pick];
        return kernels_[pick];
    }

private:
    Operation operation_;
    Call call_;
    Kernel kernels_[kVariants] = {};
    RowSimd owners_[kVariants] = {};
    std::size_t count_ = 0;
    double best_[kVariants] = {};
};

const Choice& TheChoice();
const TableChoice& TheTableChoice();

void ChosenFill(Pixel* to, std::size_t count, Pixel value)
{
    const Choice& choice = TheChoice();
    if (choice.stringFill == nullptr || count < kLargeFillPixels) {
        choice.smallFill(to, count, value);
        return;
    }
    const std::size_t bytes = count * sizeof(Pixel);
    const WayCall call(Learned(LargeWork::Fills, bytes), true, static_cast<double>(bytes));
    (call.Way() == 0 ? choice.vectorFill : choice.stringFill)(to, count, value);
}

void ChosenBlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
{
    TheTableChoice().kernel(from, to, count, table, key);
}

Choice MeasureKernels()
{
    const double startSeconds = Seconds();
    const std::uint64_t startTicks = Ticks();
    Choice choice;
    RowKernelSet& k = choice.kernels;
    k = RowKernelsOf(BestRowSimd());
    choice.smallFill = k.fill;
    k.fill = ChosenFill;
    k.blendByTable = ChosenBlendByTable;
#if defined(ZVX_X86_ROW_KERNELS)
    if (BestRowSimd() >= RowSimd::Avx2) {
        choice.vectorFill = RowKernelsOf(BestRowSimd()).fill;
        choice.stringFill = kRowKernelsSse2.fill;
    }
#endif
    const Scratch scratch;
    if (!scratch.IsWhole()) return choice;  // no memory to measure in: the widest variant's
    const Pixel* from = scratch.from;
    Pixel* to = scratch.to;
    // A processor may run its first wide vector work at a fraction of its speed while it wakes
    // the units up (tens of microseconds), which would make the widest kernels look slow: the
    // widest blend runs first until its time stops improving.
    const auto blend = k.blend;
    double fastest = 1e300;
    for (int run = 0, steady = 0; run < 400 && steady < 8; ++run) {
        const std::uint64_t start = Ticks();
        blend(from, to, kTryPixels[kBlend], 0.7, COLORKEY_NONE);
        const auto ticks = static_cast<double>(Ticks() - start);
        steady = ticks < 0.98 * fastest ? 0 : steady + 1;
        fastest = std::min(fastest, ticks);
    }
    const auto* fromBytes = reinterpret_cast<const std::uint8_t*>(from);
    auto* toBytes = reinterpret_cast<std::uint8_t*>(to);
    Measured* measured = choice.measured;

    Candidates copies(kCopy, &RowKernelSet::copyBytes, [&](auto kernel) {
        for (std::size_t row = 0; row < 2; ++row) kernel(fromBytes + 1024 * row, toBytes + 4096 * row, 1024, false);
    });
    Candidates colors(kColors, &RowKernelSet::copyColors,
                      [&](auto kernel) { kernel(from, to, kTryPixels[kColors], false); });
    Candidates keyed(kKeyedCopy, &RowKernelSet::copyUnlessKey,
                     [&](auto kernel) { kernel(from, to, kTryPixels[kKeyedCopy], Scratch::kKey); });
    Candidates blends(kBlend, &RowKernelSet::blend,
                      [&](auto kernel) { kernel(from, to, kTryPixels[kBlend], 0.7, COLORKEY_NONE); });
    Candidates rows24(kRows24, &RowKernelSet::bgr24ToWords,
                      [&](auto kernel) { kernel(scratch.bytes, to, kTryPixels[kRows24], false); });
    Candidates fills(kFill, &RowKernelSet::fill, [&](auto kernel) { kernel(to, kTryPixels[kFill], 0x00336699u); });
    k.copyBytes = copies.Chosen(measured[kCopy]);
    k.copyColors = colors.Chosen(measured[kColors]);
    k.copyUnlessKey = keyed.Chosen(measured[kKeyedCopy]);
    k.blend = blends.Chosen(measured[kBlend]);
    k.bgr24ToWords = rows24.Chosen(measured[kRows24]);
    choice.smallFill = fills.Chosen(measured[kFill]);
    // The times in nanoseconds, by the ticks the whole measuring took: only for reading.
    choice.microseconds = (Seconds() - startSeconds) * 1e6;
    const double nanosecondsPerTick = choice.microseconds * 1e3 / static_cast<double>(Ticks() - startTicks);
    for (Measured& operation : choice.measured) {
        for (double& time : operation.perPixel) time *= nanosecondsPerTick;
    }
    return choice;
}

// The table kernels against the chosen formula, with a table's worth of bytes to look up in (the
// contents do not matter to the time).
TableChoice MeasureTables()
{
    TableChoice choice;
    choice.kernel = RowKernelsOf(BestRowSimd()).blendByTable;
    const Scratch scratch;
    const std::unique_ptr<BlendTable> table(new (std::nothrow) BlendTable);
    if (!scratch.IsWhole() || table == nullptr) return choice;  // no memory: the formula
    const double startSeconds = Seconds();
    const std::uint64_t startTicks = Ticks();
    const Pixel* from = scratch.from;
    Pixel* to = scratch.to;
    std::memset(table->result, 0x33, sizeof table->result);
    Candidates tables(kTableBlend, &RowKernelSet::blendByTable,
                      [&](auto kernel) { kernel(from, to, kTryPixels[kTableBlend], *table, COLORKEY_NONE); });
    choice.kernel = tables.Chosen(choice.measured);
    // Then the chosen table kernel (0) against the chosen formula (1): whether looking up is
    // clearly faster.
    const int ways[2] = {0, 1};
    const auto call = [&](int way) {
        if (way == 0) {
            choice.kernel(from, to, kTryPixels[kTableBlend], *table, COLORKEY_NONE);
        } else {
            TheChoice().kernels.blend(from, to, kTryPixels[kTableBlend], 0.7, COLORKEY_NONE);
        }
    };
    double best[2] = {1e300, 1e300};
    Tries(
        ways, 2, 1, call, [](std::size_t) { return true; }, best);
    choice.pays = Confirmed(ways, 2, 1, call, 0, 1, best);
    const double nanosecondsPerTick = (Seconds() - startSeconds) * 1e9 / static_cast<double>(Ticks() - startTicks);
    for (double& time : choice.measured.perPixel) time *= nanosecondsPerTick;
    choice.formulaPerPixel = best[1] * nanosecondsPerTick / static_cast<double>(kTryPixels[kTableBlend]);
    return choice;
}

const Choice& TheChoice()
{
    static const Choice choice = MeasureKernels();
    return choice;
}

const TableChoice& TheTableChoice()
{
    static const TableChoice choice = MeasureTables();
    return choice;
}

// "name variant (c 1.2, sse2 0.8)": the variant chosen and the times measured, then `more`.
std::string Described(const char* name, const char* chosen, const Measured& measured, const char* more = "")
{
    std::string text = std::string(name) + " " + chosen + " (";
    char part[48];
    const char* separator = "";
    for (std::size_t v = 0; v < kVariants; ++v) {
        if (measured.perPixel[v] <= 0) continue;
        std::snprintf(part, sizeof part, "%s%s %.3g", separator, RowSimdName(kRowSimdVariants[v]),
                      measured.perPixel[v]);
        text += part;
        separator = ", ";
    }
    return text + more + ")";
}

}  // namespace

const RowKernelSet& ChosenRowKernels() { return TheChoice().kernels; }

bool BlendTablesPay() { return RowSimdForced() || TheTableChoice().pays; }

std::string DescribeChosenKernels()
{
    const Choice& choice = TheChoice();
    std::string text;
    for (int operation = 0; operation < kOperations; ++operation) {
        if (operation == kTableBlend) continue;
        text += Described(kOperationNames[operation], RowSimdName(choice.measured[operation].chosen),
                          choice.measured[operation]) +
                "; ";
    }
    const TableChoice& tables = TheTableChoice();
    char formula[64];
    std::snprintf(formula, sizeof formula, "; the formula %.3g", tables.formulaPerPixel);
    text += Described(kOperationNames[kTableBlend], tables.pays ? RowSimdName(tables.measured.chosen) : "not used",
                      tables.measured, formula);
    char total[96];
    std::snprintf(total, sizeof total, "; ns a pixel (a byte for the copy), measured in %.0f us", choice.microseconds);
    return text + total;
}

std::string DescribeLearnedWays()
{
    constexpr const char* kWorks[kLargeWorks] = {"copies", "colour copies", "24-bit rows", "fills"};
    std::string text;
    char part[160];
    for (int work = 0; work < kLargeWorks; ++work) {
        const bool fills = static_cast<LargeWork>(work) == LargeWork::Fills;
        for (int size = 0; size < kLargeSizes; ++size) {
            const std::size_t bytes = LargeSizeFrom(static_cast<LargeWork>(work)) << size;
            const LearnedWay& way = Learned(static_cast<LargeWork>(work), bytes);
            if (!way.Used()) continue;
            const int kept = way.Kept();
            char sizes[64];
            if (size + 1 == kLargeSizes) {
                std::snprintf(sizes, sizeof sizes, "%zu MiB and more", bytes >> 20);
            } else {
                std::snprintf(sizes, sizeof sizes, "%zu to %zu MiB", bytes >> 20, bytes >> 19);
            }
            std::snprintf(part, sizeof part, "%s%s of %s: %s", text.empty() ? "" : ", ", kWorks[work], sizes,
                          kept < 0    ? "not yet learned"
                          : fills     ? (kept == 0 ? "vector stores" : "string store")
                          : kept == 0 ? "streamed"
                                      : "through the cache");
            text += part;
        }
    }
    std::snprintf(part, sizeof part, " (the last-level cache: %zu KiB)", LastLevelCacheBytes() >> 10);
    return (text.empty() ? "nothing yet" : text) + part;
}

int LearnedWay::Pick(bool& timed)
{
    timed = false;
    const int kept = Kept();
    if (kept >= 0) return kept;
    const std::lock_guard<std::mutex> hold(lock_);
    if (Kept() >= 0) return Kept();
    timed = true;
    used_.store(true, std::memory_order_relaxed);
    // The default's calls first, then the other's, in runs: a call right after one of the other
    // way finds the caches as that way left them (a streamed block is no longer cached), and the
    // last-level cache takes a few calls to hold a block again.
    return static_cast<int>((calls_++ / kSamples + static_cast<unsigned>(default_)) % 2);
}

void LearnedWay::Learn(int way, double seconds, double bytes)
{
    const std::lock_guard<std::mutex> hold(lock_);
    if (Kept() >= 0 || bytes <= 0) return;
    const double perByte = seconds / bytes;
    if (samples_[way] == 0 || perByte < best_[way]) best_[way] = perByte;
    ++samples_[way];
    if (samples_[0] >= kSamples && samples_[1] >= kSamples) {
        const int other = 1 - default_;
        kept_.store(ClearlyFaster(best_[other], best_[default_]) ? other : default_, std::memory_order_relaxed);
    }
}

WayCall::WayCall(LearnedWay& way, bool counts, double bytes) : learned_(&way), bytes_(bytes)
{
    if (!counts) return;
    way_ = way.Pick(timed_);
    if (timed_) start_ = Seconds();
}

WayCall::~WayCall()
{
    if (timed_) learned_->Learn(way_, Seconds() - start_, bytes_);
}

LearnedWay& Learned(LargeWork work, std::size_t bytes)
{
    // Made once, every default set before any call can use one.
    struct Ways {
        std::unique_ptr<LearnedWay> at[kLargeWorks][kLargeSizes];
    };
    static const Ways ways = [] {
        const std::size_t cache = LastLevelCacheBytes();
        Ways made;
        for (int w = 0; w < kLargeWorks; ++w) {
            const auto kind = static_cast<LargeWork>(w);
            for (int size = 0; size < kLargeSizes; ++size) {
                // What the smallest transfer of the class touches: its target and its source.
                const std::size_t target = LargeSizeFrom(kind) << size;
                const std::size_t touched = target + (kind == LargeWork::Rows24 ? target / 4 * 3 : target);
                const bool cached = kind != LargeWork::Fills && cache > 0 && touched <= cache / 2;
                made.at[w][size] = std::make_unique<LearnedWay>(cached ? 1 : 0);
            }
        }
        return made;
    }();
    int size = 0;
    for (std::size_t from = LargeSizeFrom(work) * 2; size + 1 < kLargeSizes && bytes >= from; from *= 2) ++size;
    return *ways.at[static_cast<int>(work)][size];
}

}  // namespace zvx
