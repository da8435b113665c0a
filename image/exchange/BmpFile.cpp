// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/exchange/BmpFile.h"

namespace zvx {
bool LoadBmp(IImage&, const char*) { return false; }
bool SaveBmp(IImage&, const char*) { return false; }
bool LoadFromMemory(IImage&, const void*, int) { return false; }
bool IsReadableBmp(const void*, std::size_t) { return false; }
}  // namespace zvx
