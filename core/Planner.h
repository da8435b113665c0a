// The planner of every transfer of pixels: where one thing lands on another (Place), the order in
// which an area is visited when source and destination are the same, and the walk that hands the
// runs of rows to the row kernels. Every blit, blend, row import and export, sub-image, tiling and
// drawing onto a device context clips through Place; every route that moves rows (the fast paths,
// the unkeyed BltTo onto an IPixelBuffer, CopyFrom of an IPixelBuffer, the software GDI's
// SetDIBitsToDevice and GetDIBits) goes through Transfer, and the per-pixel routes visit in
// VisitOrder. Overlap is decided here and nowhere else.
#pragma once

#include <climits>
#include <cstdint>

#include "core/PixelRows.h"
#include "image/IImage.h"

namespace zvx {

// A clipped placement: source pixel (srcX + i, srcY + j) goes to destination pixel
// (destX + i, destY + j) for 0 <= i < width and 0 <= j < height. Empty (all 0) when nothing
// lands on the destination.
struct BlitArea {
    int srcX = 0;
    int srcY = 0;
    int destX = 0;
    int destY = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    // Whether source pixel (sx, sy) lands on the destination.
    bool HoldsSource(long long sx, long long sy) const
    {
        return sx >= srcX && sx < static_cast<long long>(srcX) + width && sy >= srcY &&
               sy < static_cast<long long>(srcY) + height;
    }
};

// The pixels of a destination: columns left <= x < right, rows top <= y < bottom. Edges are
// 64-bit so that the int range itself is an extent.
struct Extent {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
};

// An image's pixels.
inline Extent ExtentOf(int width, int height) { return Extent{0, 0, width, height}; }
// Every position an int can name: a source pixel placed outside it has no position to go to.
constexpr Extent kIntRange{INT_MIN, INT_MIN, static_cast<long long>(INT_MAX) + 1, static_cast<long long>(INT_MAX) + 1};

// The part of a width x height source, its top-left pixel at (x, y), that lies on dest. Computed
// in 64 bits: any int position and size, and any extent within the int range, give an area whose
// values fit in int again.
BlitArea Place(int width, int height, long long x, long long y, const Extent& dest);

// The sizes a blit places by: the source's and the destination's.
struct Size {
    int width = 0;
    int height = 0;
};
struct BlitSizes {
    Size source;
    Size dest;
};
// Read as a derived class sees them: the source's width and height, then the destination's (a
// braced list is evaluated in order).
inline BlitSizes SizesOf(const IImage& source, const IImage& dest)
{
    return {{source.GetWidth(), source.GetHeight()}, {dest.GetWidth(), dest.GetHeight()}};
}

// The placement of BltTo onto an IPixelBuffer or an IImage: false, with the area left empty,
// when the images do not overlap (x <= -source width, y <= -source height, x >= dest width,
// y >= dest height, tested in that order); otherwise the clipped area, which is empty only for an
// empty destination.
bool PlaceBlit(const BlitSizes& sizes, int x, int y, BlitArea& area);

// The same for the sized BltTo's top-left partWidth x partHeight block. The overlap tests use
// the whole source's size; then a part width or height below 1 is refused; the part is limited
// to the source's size before clipping.
bool PlaceBlitPart(const BlitSizes& sizes, int x, int y, int partWidth, int partHeight, BlitArea& area);

// Whether two interface pointers denote one image: their IImage parts are the same object (IImage
// is a virtual base, so every image has exactly one).
inline bool IsSameImage(const IImage& a, const IImage& b) { return &a == &b; }

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
