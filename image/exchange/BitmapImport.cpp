// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/exchange/BitmapImport.h"

namespace zvx {
bool CreateFromBitmap(IPixelBuffer&, HBITMAP, HDC) { return false; }
}  // namespace zvx
