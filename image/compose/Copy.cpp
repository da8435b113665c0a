// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/compose/Copy.h"

namespace zvx {
bool CopyFrom(IImage&, const IImage*, bool) { return false; }
bool CopyFrom(IPixelBuffer&, const IPixelBuffer*, bool) { return false; }
}  // namespace zvx
