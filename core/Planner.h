// The planner of every transfer of pixels: the order in which an area is visited when source and
// destination are the same, and the walk that hands the runs of rows to the row kernels. Areas are
// placed and clipped first, by Place (core/Clip.h); every route that moves rows (the fast paths,
// the unkeyed BltTo onto an IPixelBuffer, CopyFrom of an IPixelBuffer, the software GDI's
// SetDIBitsToDevice and GetDIBits) goes through Transfer, and the per-pixel routes visit in
// VisitOrder. Overlap is decided here and nowhere else.
#pragma once

#include <cstdint>

#include "core/Clip.h"
#include "core/PixelRows.h"
#include "image/ImageTypes.h"

namespace zvx {

struct BlendTable;
struct RowKernelSet;

// The order in which to visit the pixels of a width x height source that lands offsetX, offsetY
// away. Normally rows top to bottom and each row left to right. When source and destination are
// the same image, rows (columns) run backwards if the destination lies below (to the right of) the
// source, so every pixel is read before a write can reach it: an overlapping self-blit gives what a
// blit of an untouched copy would.
struct VisitOrder {
    bool rowsBackwards = false;
    bool columnsBackwards = false;
    // A row's run is moved onto the same row, its source and target sharing memory.
    bool runsShareRows = false;

    static VisitOrder For(bool sameImage, long long offsetX, long long offsetY)
    {
        VisitOrder order;
        order.rowsBackwards = sameImage && offsetY > 0;
        order.columnsBackwards = sameImage && offsetX > 0;
        order.runsShareRows = sameImage && offsetY == 0 && offsetX != 0;
        return order;
    }

    // The order of an area's own offset (destination minus source).
    static VisitOrder For(bool sameImage, const BlitArea& area)
    {
        return For(sameImage, static_cast<long long>(area.destX) - area.srcX,
                   static_cast<long long>(area.destY) - area.srcY);
    }

    // Calls visit(i, j) for every 0 <= i < width, 0 <= j < height in this order.
    template <class Visit>
    void Run(int width, int height, Visit&& visit) const
    {
        for (int n = 0; n < height; ++n) {
            const int j = rowsBackwards ? height - 1 - n : n;
            for (int m = 0; m < width; ++m) {
                const int i = columnsBackwards ? width - 1 - m : m;
                visit(i, j);
            }
        }
    }

    // The kernels for a row's run in this order: the plain ones in the columns' direction where a
    // run shares its row with its source, else the fastest.
    const RowKernelSet& Kernels() const;
};

// What a transfer does to each run: the row kernel and its arguments.
struct RowOp {
    enum class Kind : std::uint8_t { Words, Colors, UnlessKey, Blend, Bgr24ToWords, WordsToBgr24 };
    Kind kind = Kind::Words;
    Pixel key = static_cast<Pixel>(COLORKEY_NONE);  // UnlessKey and Blend: the source colour left out
    double alpha = 0;                               // Blend
    const BlendTable* table = nullptr;              // Blend: through this table, else by the formula
    bool mayStream = true;  // false: the target is read right after (a DC's pixels), never stream

    static RowOp Words() { return {}; }
    static RowOp Colors() { return {Kind::Colors}; }
    static RowOp UnlessKey(Pixel key) { return {Kind::UnlessKey, key}; }
    static RowOp Blend(double alpha, const BlendTable* table, ColorKey key)
    {
        return {Kind::Blend, static_cast<Pixel>(key), alpha, table};
    }
    static RowOp Bgr24ToWords() { return {Kind::Bgr24ToWords}; }
    static RowOp WordsToBgr24() { return {Kind::WordsToBgr24}; }
};

// Moves the area of `from` onto `to` (source pixel (area.srcX + i, area.srcY + j) onto target pixel
// (area.destX + i, area.destY + j)), a run per row, or one run for rows that lie back to back in
// both. Where the two share memory: the same view (an image onto itself, a section drawn onto its
// own DC) goes in VisitOrder, the runs that share a row by the plain kernels in the right
// direction; any other sharing (rows flipped, another format or stride), where no order reads
// every pixel before a write reaches it, reads the source from a snapshot of its rows. Else rows go
// in the order their memory is best streamed in, and writes of more than kStreamingBytes around the
// cache unless op says not to. False, with nothing written, only when a snapshot was needed and
// there was no memory for it: every caller passes that on.
[[nodiscard]] bool Transfer(const PixelRows& from, const PixelRows& to, const BlitArea& area, const RowOp& op);

}  // namespace zvx
