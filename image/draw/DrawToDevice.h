// Putting an image onto a device context: whole, its top-left part, and blended.
#pragma once

#include "image/IImage.h"

namespace zvx {

template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y);
template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y, int width, int height);
template <class Self>
bool DrawBlend(Self& self, HDC hdc, int x, int y, double alpha);

}  // namespace zvx
