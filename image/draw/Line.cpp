// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/draw/Line.h"

namespace zvx {
bool DrawLineSoftware(IImage&, int, int, int, int, Pixel) { return false; }
bool DrawLineWithPen(HDC, int, int, int, int, Pixel) { return false; }
}  // namespace zvx
