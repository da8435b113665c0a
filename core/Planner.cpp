#include "core/Planner.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "core/KernelChoice.h"
#include "core/RowKernels.h"

namespace zvx {

const RowKernelSet& VisitOrder::Kernels() const
{
    if (!runsShareRows) return RowKernels();
    return columnsBackwards ? kRowKernelsBackwards : kRowKernelsC;
}

namespace {

// The addresses [low, high) that rows rows of rowBytes bytes, step bytes apart from first on, take.
struct Span {
    std::uintptr_t low;
    std::uintptr_t high;
};
Span SpanOf(const std::uint8_t* first, std::ptrdiff_t step, std::size_t rowBytes, int rows)
{
    const auto top = reinterpret_cast<std::uintptr_t>(first);
    const auto bottom = reinterpret_cast<std::uintptr_t>(first + static_cast<std::ptrdiff_t>(rows - 1) * step);
    return {std::min(top, bottom), std::max(top, bottom) + rowBytes};
}

const Pixel* Words(const std::uint8_t* p) { return reinterpret_cast<const Pixel*>(p); }
Pixel* Words(std::uint8_t* p) { return reinterpret_cast<Pixel*>(p); }

}  // namespace

bool Transfer(const PixelRows& from, const PixelRows& to, const BlitArea& area, const RowOp& op)
{
    if (area.IsEmpty()) return true;
    const auto width = static_cast<std::size_t>(area.width);
    const std::size_t sourceRow = width * static_cast<std::size_t>(from.bitsPerPixel / 8);
    const std::size_t targetRow = width * static_cast<std::size_t>(to.bitsPerPixel / 8);
    const std::uint8_t* source = from.Row(area.srcY) + static_cast<std::ptrdiff_t>(area.srcX) * (from.bitsPerPixel / 8);
    std::uint8_t* target = to.Row(area.destY) + static_cast<std::ptrdiff_t>(area.destX) * (to.bitsPerPixel / 8);
    std::ptrdiff_t sourceStep = from.stride;
    const std::ptrdiff_t targetStep = to.stride;

    const Span read = SpanOf(source, sourceStep, sourceRow, area.height);
    const Span written = SpanOf(target, targetStep, targetRow, area.height);
    const bool shared = read.low < written.high && written.low < read.high;
    const bool ordered =
        shared && from.first == to.first && from.stride == to.stride && from.bitsPerPixel == to.bitsPerPixel;
    const VisitOrder order = VisitOrder::For(ordered, area);
    std::unique_ptr<std::uint8_t[]> snapshot;
    if (shared && !ordered) {
        snapshot.reset(new (std::nothrow) std::uint8_t[sourceRow * static_cast<std::size_t>(area.height)]);
        if (snapshot == nullptr) return false;
        for (int j = 0; j < area.height; ++j) {
            std::memcpy(snapshot.get() + static_cast<std::size_t>(j) * sourceRow, source + j * sourceStep, sourceRow);
        }
        source = snapshot.get();
        sourceStep = static_cast<std::ptrdiff_t>(sourceRow);
    }

    // Only these kernels can write around the cache; whether a large block is better written so
    // is learned from the first ones (core/KernelChoice.h).
    const bool mayStream = op.mayStream && (op.kind == RowOp::Kind::Words || op.kind == RowOp::Kind::Colors ||
                                            op.kind == RowOp::Kind::Bgr24ToWords);
    const std::size_t bytes = targetRow * static_cast<std::size_t>(area.height);
    const bool large = mayStream && !ordered && bytes > kStreamingBytes;
    const LargeWork work = op.kind == RowOp::Kind::Words    ? LargeWork::Copies
                           : op.kind == RowOp::Kind::Colors ? LargeWork::ColourCopies
                                                            : LargeWork::Rows24;  // the third that may stream
    const WayCall learned(Learned(work, bytes), large, static_cast<double>(bytes));
    const bool streaming = large && learned.Way() == 0;
    // Rows that lie back to back in both are one run.
    const bool oneRun = !ordered && sourceStep == static_cast<std::ptrdiff_t>(sourceRow) &&
                        targetStep == static_cast<std::ptrdiff_t>(targetRow);
    // Rows from the bottom up where the order says so, or else where the memory the processor had
    // better stream through in address order (what is read when the writes go around the cache,
    // else what is written) lies bottom-up.
    const bool rowsBackwards = ordered ? order.rowsBackwards : (streaming ? sourceStep : targetStep) < 0;
    const RowKernelSet& kernels = order.Kernels();
    const std::size_t runs = oneRun ? 1 : static_cast<std::size_t>(area.height);
    const std::size_t count = oneRun ? width * static_cast<std::size_t>(area.height) : width;
    const auto each = [&](auto run) {
        for (std::size_t n = 0; n < runs; ++n) {
            const auto j = static_cast<std::ptrdiff_t>(rowsBackwards ? runs - 1 - n : n);
            run(source + j * sourceStep, target + j * targetStep);
        }
    };
    const auto key = static_cast<ColorKey>(op.key);
    switch (op.kind) {
    case RowOp::Kind::Words:
        each(
            [&](const std::uint8_t* s, std::uint8_t* t) { kernels.copyBytes(s, t, count * sizeof(Pixel), streaming); });
        break;
    case RowOp::Kind::Colors:
        each([&](const std::uint8_t* s, std::uint8_t* t) { kernels.copyColors(Words(s), Words(t), count, streaming); });
        break;
    case RowOp::Kind::UnlessKey:
        each([&](const std::uint8_t* s, std::uint8_t* t) { kernels.copyUnlessKey(Words(s), Words(t), count, op.key); });
        break;
    case RowOp::Kind::Blend:
        if (op.table != nullptr) {
            each([&](const std::uint8_t* s, std::uint8_t* t) {
                kernels.blendByTable(Words(s), Words(t), count, *op.table, key);
            });
        } else {
            each([&](const std::uint8_t* s, std::uint8_t* t) {
                kernels.blend(Words(s), Words(t), count, op.alpha, key);
            });
        }
        break;
    case RowOp::Kind::Bgr24ToWords:
        each([&](const std::uint8_t* s, std::uint8_t* t) { kernels.bgr24ToWords(s, Words(t), count, streaming); });
        break;
    case RowOp::Kind::WordsToBgr24:
        each([&](const std::uint8_t* s, std::uint8_t* t) { kernels.wordsToBgr24(Words(s), t, count); });
        break;
    }
    return true;
}

}  // namespace zvx
