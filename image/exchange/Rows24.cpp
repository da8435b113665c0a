#include "image/exchange/Rows24.h"

#include <algorithm>
#include <cstring>
#include <climits>

#include "image/PlainImage.h"

namespace zvx {
namespace {

// The bytes of pixel x in a bottom-up block of height rows: blue, green, red.
const BYTE* SourcePixel(const BYTE* rows, std::uint64_t stride, int height, int i, int x)
{
    const auto row = static_cast<std::uint64_t>(height - 1 - i);
    return rows + static_cast<std::size_t>(row * stride + 3u * static_cast<std::uint64_t>(x));
}

// count file pixels (blue, green, red) to Pixels with the top byte 0: the same stores SetColor
// would make. Where bytes are little-endian, each pixel but the last is one 4-byte load with
// the next pixel's byte masked off; the last is read bytewise, so nothing past it is touched.
void ConvertRow24(const BYTE* p, Pixel* target, int count)
{
    int j = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (; j + 1 < count; ++j, p += 3) {
        std::uint32_t word;
        std::memcpy(&word, p, sizeof word);
        target[j] = word & 0x00FFFFFFu;
    }
#endif
    for (; j < count; ++j, p += 3) {
        target[j] = (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
    }
}

}  // namespace

std::uint32_t Rows24Stride(int width)
{
    if (width < 0) return 0;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3u + 3u) & ~std::uint64_t{3};
    return stride > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(stride);
}

bool SetRows24(IImage& image, int x, int y, int width, int height, const BYTE* rows)
{
    // Both sides positive (a negative pair would pass a bare product test), a pixel count that
    // fits an int (a block of 65536 x 65536 is refused, as its 32-bit product 0 would be), and
    // the sums taken in 64 bits so that offsets near INT_MIN/INT_MAX cannot wrap.
    if (width < 1 || height < 1 || rows == nullptr) return false;
    if (static_cast<long long>(width) * height > INT_MAX) return false;
    const long long right = static_cast<long long>(x) + width;
    const long long bottom = static_cast<long long>(y) + height;
    const int imageWidth = image.GetWidth();
    const int imageHeight = image.GetHeight();
    if (right <= 0 || bottom <= 0 || x >= imageWidth || y >= imageHeight) return false;
    const std::uint64_t stride = Rows24Stride(width);
    if (stride == 0) return false;

    // Targets outside the image are skipped; visiting only the overlap skips them all at once.
    const int firstRow = y < 0 ? -y : 0;
    const int endRow = static_cast<int>(std::min<long long>(height, static_cast<long long>(imageHeight) - y));
    const int firstColumn = x < 0 ? -x : 0;
    const int endColumn = static_cast<int>(std::min<long long>(width, static_cast<long long>(imageWidth) - x));
    IPixelBuffer* plain = PlainPixels(image);
    for (int i = firstRow; i < endRow; ++i) {
        if (plain != nullptr) {
            // The same stores SetColor would make, a row at a time.
            ConvertRow24(SourcePixel(rows, stride, height, i, firstColumn),
                         plain->GetScanLine(y + i) + (x + firstColumn), endColumn - firstColumn);
            continue;
        }
        for (int j = firstColumn; j < endColumn; ++j) {
            const BYTE* p = SourcePixel(rows, stride, height, i, j);
            const Pixel pixel = (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
            image.SetColor(x + j, y + i, pixel);
        }
    }
    return true;
}

bool ImportRows24(IPixelBuffer& image, const BYTE* rows, int format)
{
    if (rows == nullptr || format != IMAGE_FORMAT_ROWS24) return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const std::uint64_t stride = Rows24Stride(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BYTE* p = SourcePixel(rows, stride, height, y, x);
            Pixel* target = image.GetScanLine(y) + x;
            // The top byte is not a channel and stays as it was.
            *target = (*target & 0xFF000000u) | (static_cast<Pixel>(p[2]) << 16) |
                      (static_cast<Pixel>(p[1]) << 8) | p[0];
        }
    }
    return true;
}

bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format)
{
    if (rows == nullptr || format != IMAGE_FORMAT_ROWS24) return false;
    const int height = image.GetHeight();
    const std::uint64_t needed =
        static_cast<std::uint64_t>(Rows24Stride(image.GetWidth())) * static_cast<std::uint64_t>(height < 0 ? 0 : height);
    if (size < needed) return false;
    return ImportRows24(image, rows, format);
}

}  // namespace zvx
