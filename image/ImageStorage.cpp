#include "image/ImageStorage.h"

#include "platform/Win32.h"

namespace zvx {

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
