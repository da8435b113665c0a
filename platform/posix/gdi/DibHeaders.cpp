// The DIB headers the layer takes: those of the sections it makes and of the buffers callers hand
// SetDIBitsToDevice and GetDIBits.
#include <cstdint>

#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {

bool DescribeDib(const BITMAPINFOHEADER& header, const void* bits, PixelRows& rows)
{
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1) return false;
    if (header.biCompression != BI_RGB) return false;
    if (header.biBitCount != 24 && header.biBitCount != 32) return false;
    // The magnitude of INT32_MIN does not fit in a LONG; such a height is refused with the others.
    const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (!FitsBlock(header.biWidth, height, header.biBitCount, INT32_MAX)) return false;
    rows = DibRows(bits, header.biWidth, static_cast<int>(height), header.biBitCount, header.biHeight > 0);
    return true;
}

}  // namespace zvx::gdi
