// The fast paths: every operation that may work on pixel rows directly instead of through the
// images' virtual primitives, listed beside the general path whose pixels it must give bit for
// bit. This table is their one map; the operations' files and the README point here. The general
// path is the one a derived class always gets, since it may override any primitive; the fast path
// is taken only when every image involved is plain: its dynamic type is exactly CMemoryImage or
// CDibSectionImage, so all its primitives are known. An operation selects once, before it touches
// a pixel, and then runs one path or the other.
//
//   operation                            fast path, beside its general twin
//   BlendTo, 0 < alpha < 1               compose/Blend.cpp: one Transfer of the overlap, blended
//                                          through the kept blend table where that pays
//   BltTo onto an IImage, sized BltTo,   compose/Blit.cpp: CopyPixelByPixel's rows, colours or
//     keyed BltTo onto an IPixelBuffer     words but the key's, one Transfer
//     or an IDibImage
//   BltTo onto an IPixelBuffer, no key   compose/Blit.cpp: one Transfer of words (the general
//                                          path: the same copies through GetScanLine per row)
//   CopyFrom(const IImage*)              compose/Copy.cpp: one Transfer of colours
//   CreateSubImage                       compose/Copy.cpp: one Transfer of colours
//   LoadFromMemory, both CopyFroms:      CreateToOverwrite, here: instead of Create(w, h, 0)
//     the new storage
//   SetRows24 (so LoadFromMemory)        exchange/Rows24.cpp: one Transfer from 24-bit rows
//   SaveBmp                              exchange/BmpFile.cpp: one Transfer to 24-bit rows
//   DrawLine of the heap image (so its   draw/Line.cpp: DrawLineRows, the same steps, a row's
//     DrawRect)                            steps as one run
//   FillRect, not degenerate             draw/Rect.cpp: FillRectRows, a run per row as the
//                                          image's own DrawLine draws it (the DIB-section
//                                          image's pen within its DC's clip box), rows that
//                                          span the whole width as one run
//
// The fast paths are made of the pixel core: areas placed by Place (core/Clip.h), moved by the
// planner's Transfer (core/Planner.h) with the row kernels (core/RowKernels.h), which the routes
// that copy rows by definition (CopyFrom of an IPixelBuffer, the general unkeyed BltTo onto an
// IPixelBuffer) use on every image.
//
// An image blitted or blended onto itself takes the fast path too: Transfer visits rows in the
// general path's order and runs that share a row as memmove does, so every pixel is read before
// it is overwritten, as on the general path.
#pragma once

#include <cstddef>

#include "core/Planner.h"
#include "image/IImage.h"

namespace zvx {

// The rows of a plain image (an empty view when it has no pixels).
struct PlainImage {
    PixelRows rows;
    bool plain = false;

    explicit operator bool() const { return plain; }
};
PlainImage PlainRows(const IImage& image);

// Whether any of the size bytes from bytes on lie in the pixels of the image, when it is a
// CMemoryImage or CDibSectionImage (derived or not: a derived class sees no call); false for any
// other image.
bool HoldsAnyOf(const IImage& image, const void* bytes, std::size_t size);

// The rows of both images of a two-image operation when both are plain. source and dest may be the
// same image.
struct PlainPair {
    PixelRows source;
    PixelRows dest;
    bool plain = false;

    explicit operator bool() const { return plain; }
};
PlainPair PlainRows(const IImage& source, const IImage& dest);

// Create(width, height, 0) for an image whose every pixel is about to be overwritten. A plain
// image of that size keeps its storage (for a DIB-section image: its section, in a new DC) rather
// than making new storage and clearing it first; any other image gets its Create call.
bool CreateToOverwrite(IImage& image, int width, int height);

}  // namespace zvx
