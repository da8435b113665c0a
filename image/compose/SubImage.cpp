// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/compose/SubImage.h"

namespace zvx {
IImage* CreateSubImage(const IImage&, int, int, int, int) { return nullptr; }
}  // namespace zvx
