#include "image/ImageStorage.h"

#include <cstdint>

#include "platform/Win32.h"

namespace zvx {

bool IsCreatableSize(int width, int height)
{
    if (width < 1 || height < 1) return false;
    const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u;
    return bytes <= 0xFFFFFFFFu;
}

BITMAPINFO MakeTopDownHeader(int width, int height)
{
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return header;
}

}  // namespace zvx
