// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/draw/DrawTiled.h"

namespace zvx {
bool DrawTiledClipped(IImage&, HDC, int, int, int, int) { return false; }
bool DrawTiledTrimmed(IImage&, HDC, int, int, int, int) { return false; }
}  // namespace zvx
