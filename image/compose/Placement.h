// Where a blit lands: the placement and clipping shared by the pixel-buffer, plain and sized
// BltTo, and the order in which an area is visited when an image is blitted onto itself.
#pragma once

namespace zvx {

// A clipped blit: source pixel (srcX + i, srcY + j) goes to destination pixel
// (destX + i, destY + j) for 0 <= i < width and 0 <= j < height. A width or height of 0 means
// there is nothing to write.
struct BlitArea {
    int srcX = 0;
    int srcY = 0;
    int destX = 0;
    int destY = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// Places a srcWidth x srcHeight image at (x, y) on a destWidth x destHeight one. False, with the
// area left empty, when they do not overlap (x <= -srcWidth, y <= -srcHeight, x >= destWidth,
// y >= destHeight, tested in that order). Everything is computed in 64 bits, so offsets and
// sizes anywhere in the int range cannot overflow.
bool PlaceBlit(int srcWidth, int srcHeight, int destWidth, int destHeight, int x, int y,
               BlitArea& area);

// The same for the top-left partWidth x partHeight block of the source. The overlap tests use
// the whole source's size; then a part width or height below 1 is refused; the part is
// limited to the source's size before clipping.
bool PlaceBlitPart(int srcWidth, int srcHeight, int destWidth, int destHeight, int x, int y,
                   int partWidth, int partHeight, BlitArea& area);

// The order in which to visit the pixels of a width x height source that lands offsetX,
// offsetY away. Normally rows top to bottom and each row left to right. When source and
// destination are the same image, rows (columns) run backwards if the destination lies below
// (to the right of) the source, so every pixel is read before a write can reach it: an
// overlapping self-blit gives what a blit of an untouched copy would.
struct VisitOrder {
    bool rowsBackwards = false;
    bool columnsBackwards = false;

    static VisitOrder For(bool sameImage, long long offsetX, long long offsetY)
    {
        VisitOrder order;
        order.rowsBackwards = sameImage && offsetY > 0;
        order.columnsBackwards = sameImage && offsetX > 0;
        return order;
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
};

}  // namespace zvx
