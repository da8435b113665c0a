// GetDIBits into 32-bit BI_RGB rows, from any bitmap the layer makes: the one form the library
// asks for (its images' own layout). The size query with no buffer is not offered.
//
// The rows asked for are scan lines of an image of the requested size, counted from its
// bottom; the bitmap sits in that image's top-left corner, and whatever lies outside the
// bitmap comes out zero. A top-down request (biHeight < 0) receives the highest scan line
// first. The result counts the rows that held bitmap pixels.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/posix/gdi/DibLayout.h"
#include "platform/posix/gdi/GdiObjects.h"
#include "platform/posix/gdi/PixelFormats.h"

int zvx::win32::GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage)
{
    using namespace zvx::gdi;
    if (Find(hdc, Kind::Dc) == nullptr || info == nullptr || usage > 1) return 0;
    const Object* object = Find(bitmap, Kind::Bitmap);
    if (object == nullptr) return 0;
    BITMAPINFOHEADER& header = info->bmiHeader;
    const DibLayout& source = object->bitmap.layout;
    DibLayout request;
    if (bits == nullptr || !DescribeDib(header, request) || request.bitsPerPixel != 32) return 0;
    header.biSizeImage = static_cast<DWORD>(request.ImageBytes());
    // Asking for no rows of the image succeeds, as it does on Windows, and writes nothing.
    if (lines == 0 || start >= static_cast<UINT>(request.height)) return 1;

    const int rows = static_cast<int>(std::min<std::int64_t>(lines, static_cast<std::int64_t>(request.height) - start));
    // A top-down request whose rows lie wholly below the bitmap, not even touching it, is left
    // as it was; otherwise every row asked for is written, with zeros where there is no bitmap.
    const std::int64_t highestScan = static_cast<std::int64_t>(start) + rows - 1;
    if (!request.bottomUp && request.height - 1 - highestScan > source.height) return 0;

    const int columns = std::min(request.width, source.width);
    request.bits = static_cast<std::uint8_t*>(bits);
    return WithFormat(source.bitsPerPixel, [&](auto from) {
        int copied = 0;
        for (int k = 0; k < rows; ++k) {
            std::uint8_t* row = request.bits + static_cast<std::ptrdiff_t>(k) * request.stride;
            std::memset(row, 0, static_cast<std::size_t>(request.stride));
            const std::int64_t scan = request.bottomUp ? start + k : start + rows - 1 - k;
            const std::int64_t fromTop = request.height - 1 - scan;
            if (fromTop >= source.height) continue;
            CopyPixels<decltype(from), Format32>(source.Row(static_cast<int>(fromTop)), 0, row, 0, columns);
            ++copied;
        }
        return copied;
    });
}
