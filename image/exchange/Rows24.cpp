// 24-bit bottom-up rows (the pixel rows of a .bmp file) into an image: SetRows24, placed and
// clipped, through SetColor or by its fast twin (image/FastPaths.h maps every fast path);
// ImportRows24, rows of the image's own size straight into its array.
#include <climits>
#include <cstdint>

#include "core/Color.h"
#include "core/PixelRows.h"
#include "core/Planner.h"
#include "image/FastPaths.h"
#include "image/Operations.h"
#include "image/Placement.h"

namespace zvx {
namespace {

// Pixel x of row y from the top of a bottom-up block of height rows.
Pixel SourcePixel(const BYTE* rows, std::uint64_t stride, int height, int x, int y)
{
    const auto row = static_cast<std::uint64_t>(height - 1 - y);
    return color::ReadBgr(rows + static_cast<std::size_t>(row * stride + 3u * static_cast<std::uint64_t>(x)));
}

}  // namespace

bool SetRows24(IImage& image, int x, int y, int width, int height, const BYTE* rows)
{
    // Both sides positive (a negative pair would pass a bare product test) and a pixel count that
    // fits an int, as its 32-bit words fit four times that (a block of 65536 x 65536 is refused,
    // as its 32-bit product 0 would be).
    if (!FitsBlock(width, height, 32, 4ull * INT_MAX) || rows == nullptr) return false;
    BlitArea area;
    const int imageWidth = image.GetWidth();
    if (!PlaceBlit({{width, height}, {imageWidth, image.GetHeight()}}, x, y, area)) return false;
    // A row must fit 32 bits, as a file's rows do.
    if (!FitsBlock(width, 1, 24)) return false;
    const std::uint64_t stride = RowBytes(width, 24);

    // Targets outside the image are skipped; visiting only the overlap skips them all at once.
    if (const PlainImage plain = PlainRows(image)) {
        return Transfer(DibRows(rows, width, height, 24, true), plain.rows, area, RowOp::Bgr24ToWords());
    }
    for (int j = 0; j < area.height; ++j) {
        for (int i = 0; i < area.width; ++i) {
            image.SetColor(area.destX + i, area.destY + j,
                           SourcePixel(rows, stride, height, area.srcX + i, area.srcY + j));
        }
    }
    return true;
}

bool ImportRows24(IPixelBuffer& image, const BYTE* rows, int format)
{
    if (rows == nullptr || format != IMAGE_FORMAT_ROWS24) return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const std::uint64_t stride = RowBytes(width, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Pixel* target = image.GetScanLine(y) + x;
            // The top byte is not a channel and stays as it was.
            *target = (*target & ~color::kColorMask) | SourcePixel(rows, stride, height, x, y);
        }
    }
    return true;
}

bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format)
{
    if (rows == nullptr || format != IMAGE_FORMAT_ROWS24) return false;
    const int height = image.GetHeight();
    const std::uint64_t needed = RowBytes(image.GetWidth(), 24) * static_cast<std::uint64_t>(height < 0 ? 0 : height);
    if (size < needed) return false;
    return ImportRows24(image, rows, format);
}

}  // namespace zvx
