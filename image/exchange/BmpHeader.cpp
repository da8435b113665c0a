#include "image/exchange/BmpHeader.h"

#include "image/PixelRows.h"

namespace zvx {
namespace {

std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

BmpHeader DecodeBmpHeader(const std::uint8_t* data)
{
    BmpHeader header;
    header.rowsOffset = ReadU32(data + 10);
    header.width = static_cast<std::int32_t>(ReadU32(data + 18));
    header.height = static_cast<std::int32_t>(ReadU32(data + 22));
    header.bitsPerPixel = ReadU16(data + 28);

    // Both sides must be positive: a negative height is a top-down file, which is not read, and
    // a negative width with a negative height would pass a bare product test.
    if (header.bitsPerPixel != 24 || header.width < 1 || header.height < 1) return header;
    header.stride = RowBytes(header.width, 24);
    header.rowsBytes = header.stride * static_cast<std::uint64_t>(header.height);
    // Sizes whose rows or pixel storage do not fit 32 bits are refused, so no later product
    // overflows (a 3,000,000 x 2,000,000 header is refused here).
    const bool fits = FitsBlock(header.width, header.height, 24) && IsCreatableSize(header.width, header.height);
    header.verdict = fits ? BmpVerdict::Ok : BmpVerdict::TooLarge;
    return header;
}

BmpVerdict JudgeBmp(const void* data, std::size_t size)
{
    if (data == nullptr || size < kBmpFieldsEnd) return BmpVerdict::Truncated;
    const BmpHeader header = DecodeBmpHeader(static_cast<const std::uint8_t*>(data));
    if (header.verdict != BmpVerdict::Ok) return header.verdict;
    const bool rowsThere = header.rowsOffset <= size && header.rowsBytes <= size - header.rowsOffset;
    return rowsThere ? BmpVerdict::Ok : BmpVerdict::Truncated;
}

}  // namespace zvx
