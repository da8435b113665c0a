// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/draw/DrawToDevice.h"
#include "image/MemoryImage.h"
#include "image/DibSectionImage.h"

namespace zvx {
template <class Self> bool Draw(Self&, HDC, int, int) { return false; }
template <class Self> bool Draw(Self&, HDC, int, int, int, int) { return false; }
template <class Self> bool DrawBlend(Self&, HDC, int, int, double) { return false; }
#define ZVX_INSTANTIATE(C) \
template bool Draw<C>(C&, HDC, int, int); \
template bool Draw<C>(C&, HDC, int, int, int, int); \
template bool DrawBlend<C>(C&, HDC, int, int, double);
ZVX_INSTANTIATE(CMemoryImage)
ZVX_INSTANTIATE(CDibSectionImage)
}  // namespace zvx
