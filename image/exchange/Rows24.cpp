// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/exchange/Rows24.h"

namespace zvx {
std::uint32_t Rows24Stride(int) { return 0; }
bool SetRows24(IImage&, int, int, int, int, const BYTE*) { return false; }
bool ImportRows24(IPixelBuffer&, const BYTE*, int) { return false; }
bool ImportRows24(IPixelBuffer&, const BYTE*, std::size_t, int) { return false; }
}  // namespace zvx
