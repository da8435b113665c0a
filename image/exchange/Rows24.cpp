#include "image/exchange/Rows24.h"

#include <climits>

#include "image/FastPaths.h"
#include "image/compose/Placement.h"

namespace zvx {
namespace {

// The bytes of pixel x in a bottom-up block of height rows: blue, green, red.
const BYTE* SourcePixel(const BYTE* rows, std::uint64_t stride, int height, int i, int x)
{
    const auto row = static_cast<std::uint64_t>(height - 1 - i);
    return rows + static_cast<std::size_t>(row * stride + 3u * static_cast<std::uint64_t>(x));
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
    // Both sides positive (a negative pair would pass a bare product test) and a pixel count that
    // fits an int (a block of 65536 x 65536 is refused, as its 32-bit product 0 would be).
    if (width < 1 || height < 1 || rows == nullptr) return false;
    if (static_cast<long long>(width) * height > INT_MAX) return false;
    BlitArea area;
    const int imageWidth = image.GetWidth();
    if (!PlaceBlit({{width, height}, {imageWidth, image.GetHeight()}}, x, y, area)) return false;
    const std::uint64_t stride = Rows24Stride(width);
    if (stride == 0) return false;

    // Targets outside the image are skipped; visiting only the overlap skips them all at once.
    if (IPixelBuffer* plain = PlainRows(image)) {
        Rows24ToRows(*plain, area, rows, stride, height);
        return true;
    }
    for (int j = 0; j < area.height; ++j) {
        for (int i = 0; i < area.width; ++i) {
            const BYTE* p = SourcePixel(rows, stride, height, area.srcY + j, area.srcX + i);
            const Pixel pixel = (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
            image.SetColor(area.destX + i, area.destY + j, pixel);
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
            *target =
                (*target & 0xFF000000u) | (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
        }
    }
    return true;
}

bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format)
{
    if (rows == nullptr || format != IMAGE_FORMAT_ROWS24) return false;
    const int height = image.GetHeight();
    const std::uint64_t needed = static_cast<std::uint64_t>(Rows24Stride(image.GetWidth())) *
                                 static_cast<std::uint64_t>(height < 0 ? 0 : height);
    if (size < needed) return false;
    return ImportRows24(image, rows, format);
}

}  // namespace zvx
