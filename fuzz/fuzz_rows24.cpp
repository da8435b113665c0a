// SetRows24 and the sized ImportRows24 with arbitrary rectangles over row buffers of exactly the
// size they declare.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzInput.h"
#include "image/MemoryImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zvx::fuzz::FuzzInput in(data, size);
    CMemoryImage image(in.Side(40), in.Side(40));
    const int x = in.Coordinate(60);
    const int y = in.Coordinate(60);
    const int width = in.Coordinate(60);
    const int height = in.Coordinate(60);
    const bool import = (in.Byte() & 1) != 0;

    // The rows buffer holds exactly what the declared block needs, filled from the input.
    std::uint64_t needed = 0;
    if (import) {
        needed = static_cast<std::uint64_t>((image.GetWidth() * 3 + 3) & ~3) * static_cast<std::uint64_t>(image.GetHeight());
        if (in.Byte() & 1) needed = in.Byte();  // sometimes too short, which must be refused
    } else if (width > 0 && height > 0) {
        needed = ((static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3}) * static_cast<std::uint64_t>(height);
    }
    if (needed > (1u << 20)) return 0;  // a block this large is not an interesting input
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(needed));
    std::memcpy(rows.data(), in.Rest(), std::min<std::size_t>(rows.size(), in.RestSize()));
    const BYTE* block = rows.empty() ? nullptr : rows.data();
    if (import) {
        image.ImportRows24(block, rows.size(), IMAGE_FORMAT_ROWS24);
    } else if (block != nullptr) {
        image.SetRows24(x, y, width, height, block);
    }
    return 0;
}
