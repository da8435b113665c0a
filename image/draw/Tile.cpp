// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/draw/Tile.h"

namespace zvx {
bool TileTo(IImage&, IImage*, int, int, int, int) { return false; }
}  // namespace zvx
