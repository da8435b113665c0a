// Row-at-a-time copies for plain images (see image/PlainImage.h): the same words as the
// per-pixel BltTo, CopyFrom and CreateSubImage routes, without a virtual call per pixel.
#pragma once

#include "image/IImage.h"
#include "image/compose/Placement.h"

namespace zvx {

// The per-pixel blit of a placed area: without a key, colours (top byte cleared); with one,
// whole words except where the source shows the key. True when both images are plain and
// distinct and the area was copied; false, having done nothing, when the general path must run.
bool CopyAreaPlainRows(const IImage& source, IImage& dest, const BlitArea& area);

// CopyFrom(const IImage*) after its Create: image takes src's colours, row by row. False,
// having done nothing, unless both are plain images of the same size.
bool CopyColorsPlainRows(IImage& image, const IImage& src);

// CreateSubImage's fill: sub (a fresh width x height CMemoryImage) takes the colours of the
// rectangle of source at (x, y), 0 beyond its edges. False, having done nothing, when source
// is not a plain image.
bool CopyRectPlainRows(const IImage& source, IImage& sub, int x, int y);

}  // namespace zvx
