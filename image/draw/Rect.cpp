// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/draw/Rect.h"

namespace zvx {
bool DrawRect(IImage&, int, int, int, int, Pixel) { return false; }
bool FillRect(IImage&, int, int, int, int, Pixel) { return false; }
}  // namespace zvx
