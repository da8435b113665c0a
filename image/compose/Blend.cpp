// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/compose/Blend.h"
#include "image/MemoryImage.h"
#include "image/DibSectionImage.h"

namespace zvx {
template <class Self> bool BlendTo(Self&, IImage*, int, int, double) { return false; }
template bool BlendTo<CMemoryImage>(CMemoryImage&, IImage*, int, int, double);
template bool BlendTo<CDibSectionImage>(CDibSectionImage&, IImage*, int, int, double);
}  // namespace zvx
