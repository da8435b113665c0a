// CreateFromBitmap: any GDI bitmap, converted first, then copied into the re-created image.
#include "image/Operations.h"

#include <cstdlib>
#include <cstring>

#include "image/ImageStorage.h"
#include "platform/Win32.h"

namespace zvx {

bool CreateFromBitmap(IPixelBuffer& image, HBITMAP bitmap, HDC conversionDc)
{
    if (bitmap == nullptr) return false;
    // sizeof(BITMAP): 64-bit Windows refuses a buffer of the 32-bit size.
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof(BITMAP), &info) == 0) return false;
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    // A negative height is refused, not taken as a size.
    if (!IsCreatableSize(width, height)) return false;

    // Convert first, into a cleared block: only a conversion that delivered every row may
    // re-create the image, so a failure leaves it as it was and no uninitialised byte reaches it.
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Pixel);
    void* block = std::calloc(bytes, 1);
    if (block == nullptr) return false;
    // Asked for in the images' own layout: 32-bit top-down rows, exactly the Pixel words.
    BITMAPINFO header = MakeTopDownHeader(width, height);

    HDC dc = conversionDc != nullptr ? conversionDc : ::GetDC(nullptr);
    const int lines = ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), block, &header, DIB_RGB_COLORS);
    if (conversionDc == nullptr) ::ReleaseDC(nullptr, dc);

    const bool converted = lines == height;
    if (converted && image.Create(width, height, 0)) {
        std::memcpy(image.GetScanLine(0), block, bytes);
        std::free(block);
        return true;
    }
    std::free(block);
    return false;
}

}  // namespace zvx
