// BltTo: placing one image's pixels into another at an offset, clipped, key pixels skipped.
// Templates over the concrete class so that the image's own IsKeyColor is honoured; they are
// instantiated for CMemoryImage and CDibSectionImage in Blit.cpp.
#pragma once

#include "image/IImage.h"

namespace zvx {

template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y, int width, int height);
template <class Self>
bool BltToDib(Self& self, IDibImage* dest, int x, int y);
template <class Self>
bool BltToGdi(Self& self, IGdiImage* dest, int x, int y);
template <class Self>
bool BltToPixels(Self& self, IPixelBuffer* dest, int x, int y);
template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y);

}  // namespace zvx
