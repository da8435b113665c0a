// The fast paths: every operation that may work on pixel rows directly instead of through the
// images' virtual primitives, listed beside the general path whose pixels it must give bit for
// bit. The general path is the one a derived class always gets, since it may override any
// primitive; the fast path is taken only when every image involved is plain: its dynamic type is
// exactly CMemoryImage or CDibSectionImage, so all its primitives are known. An operation selects
// once, before it touches a pixel, and then runs one path or the other.
//
//   operation                            fast path here         general twin
//   BlendTo, 0 < alpha < 1               BlendRows              compose/Blend.cpp: per pixel
//   BltTo onto an IImage, sized BltTo,   BlitRows               compose/Blit.cpp:
//     keyed BltTo onto an IPixelBuffer                            CopyPixelByPixel
//     or an IDibImage
//   CopyFrom(const IImage*)              BlitRows               compose/Copy.cpp: SetColor
//   CreateSubImage                       BlitRows               compose/SubImage.cpp: SetColor
//   BltTo onto an IPixelBuffer, no key   CopyRows               compose/Blit.cpp: a block per
//                                                                 row through GetScanLine
//   LoadFromMemory, both CopyFroms:      CreateToOverwrite      Create(width, height, 0)
//     the new storage
//   SetRows24                            Rows24ToRows           exchange/Rows24.cpp: SetColor
//   SaveBmp                              RowsToRows24           exchange/BmpFile.cpp: GetBlue,
//                                                                 GetGreen, GetRed
//   DrawLine of the heap image           DrawLineRows           draw/Line.cpp: SetColor per step
//   FillRect, not degenerate             FillRectRows           draw/Rect.cpp: DrawLine per row
//
// The fast paths are made of the row kernels in image/RowKernels.h, which the routes that copy
// rows by definition (CopyFrom of an IPixelBuffer, the general unkeyed BltTo onto an
// IPixelBuffer) use on every image.
//
// An image blitted or blended onto itself takes the fast path too: rows are visited in the
// general path's order (see VisitOrder) and the kernels copy overlapping runs as memmove does, so
// every pixel is read before it is overwritten, as on the general path.
#pragma once

#include <cstdint>

#include "image/IImage.h"
#include "image/Planner.h"

namespace zvx {

// The rows of a plain image (an empty view when it has no pixels).
struct PlainImage {
    PixelRows rows;
    bool plain = false;

    explicit operator bool() const { return plain; }
};
PlainImage PlainRows(const IImage& image);

// The rows of both images of a two-image operation when both are plain. source and dest may be the
// same image.
struct PlainPair {
    PixelRows source;
    PixelRows dest;
    bool plain = false;

    explicit operator bool() const { return plain; }
};
PlainPair PlainRows(const IImage& source, const IImage& dest);

// Blends the placed area (0 < alpha < 1); where key is set, source pixels of its colour are left
// out.
void BlendRows(const PlainPair& rows, const BlitArea& area, double alpha, ColorKey key);

// Copies the placed area as the per-pixel blit does: without a key, colours (top bytes cleared);
// with one, whole words except where the source shows the key.
void BlitRows(const PlainPair& rows, const BlitArea& area, ColorKey key);

// The unkeyed BltTo onto an IPixelBuffer: whole words, one block per row, or one block for rows
// that lie back to back in both images. General: the same copies through GetScanLine per row.
void CopyRows(const PlainPair& rows, const BlitArea& area);

// Create(width, height, 0) for an image whose every pixel is about to be overwritten. A plain
// image of that size keeps its storage (for a DIB-section image: its section and DC) rather than
// making new storage and clearing it first; any other image gets its Create call.
bool CreateToOverwrite(IImage& image, int width, int height);

// SetRows24 of a placed area: source pixel (i, j) of the block, whose rows lie bottom-up
// `stride` bytes apart with `height` rows in all, goes to the image.
void Rows24ToRows(const PixelRows& image, const BlitArea& area, const BYTE* rows, int width, int height);

// SaveBmp's pixel rows: the image's rows bottom-up, `stride` bytes apart from fileRows on.
void RowsToRows24(const PixelRows& image, BYTE* fileRows);

// The heap image's software line (end points distinct), colour with its top byte cleared.
void DrawLineRows(const PixelRows& image, int x0, int y0, int x1, int y1, Pixel color);

// FillRect's rows top..bottom (inside the image) of a plain image at once, each as that image's
// DrawLine(x0, y, x1, y, color) with x0 != x1 sets it: the heap image's rows from min(x0, x1) to
// max(x0, x1), the DIB-section image's as its pen draws them, without column x1 and within its
// DC's clip box (a clip region may be selected there, by DrawTiled for one). Whole rows are one
// run, since the rows lie back to back. False, having drawn nothing, for any other image or a DC
// whose clip is not a rectangle: the caller then draws row by row.
bool FillRectRows(IImage& image, int x0, int x1, int top, int bottom, Pixel color);

}  // namespace zvx
