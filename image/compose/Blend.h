// BlendTo: laying one image over another with an opacity, key pixels left out.
#pragma once

#include "image/IImage.h"

namespace zvx {

template <class Self>
bool BlendTo(Self& self, IImage* dest, int x, int y, double alpha);

}  // namespace zvx
