#include "platform/posix/gdi/DibLayout.h"

#include <cstdint>

#include "image/PixelRows.h"

namespace zvx::gdi {

bool DescribeDib(const BITMAPINFOHEADER& header, DibLayout& layout)
{
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1) return false;
    if (header.biCompression != BI_RGB) return false;
    if (header.biBitCount != 24 && header.biBitCount != 32) return false;
    // The magnitude of INT32_MIN does not fit in a LONG; such a height is refused with the others.
    const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (!FitsBlock(header.biWidth, height, header.biBitCount, INT32_MAX)) return false;
    const auto stride = static_cast<std::int64_t>(RowBytes(header.biWidth, header.biBitCount));
    layout = DibLayout{};
    layout.width = header.biWidth;
    layout.height = static_cast<int>(height);
    layout.bottomUp = header.biHeight > 0;
    layout.bitsPerPixel = header.biBitCount;
    layout.stride = static_cast<std::ptrdiff_t>(stride);
    return true;
}

}  // namespace zvx::gdi
