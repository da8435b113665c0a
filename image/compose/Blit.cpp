// PLACEHOLDER: not implemented yet; replaced by the real implementation.
#include "image/compose/Blit.h"
#include "image/MemoryImage.h"
#include "image/DibSectionImage.h"

namespace zvx {
template <class Self> bool BltToImage(Self&, IImage*, int, int, int, int) { return false; }
template <class Self> bool BltToDib(Self&, IDibImage*, int, int) { return false; }
template <class Self> bool BltToGdi(Self&, IGdiImage*, int, int) { return false; }
template <class Self> bool BltToPixels(Self&, IPixelBuffer*, int, int) { return false; }
template <class Self> bool BltToImage(Self&, IImage*, int, int) { return false; }
#define ZVX_INSTANTIATE(C) \
template bool BltToImage<C>(C&, IImage*, int, int, int, int); \
template bool BltToDib<C>(C&, IDibImage*, int, int); \
template bool BltToGdi<C>(C&, IGdiImage*, int, int); \
template bool BltToPixels<C>(C&, IPixelBuffer*, int, int); \
template bool BltToImage<C>(C&, IImage*, int, int);
ZVX_INSTANTIATE(CMemoryImage)
ZVX_INSTANTIATE(CDibSectionImage)
}  // namespace zvx
