// SetRows24 and the sized ImportRows24 with arbitrary rectangles over row buffers of exactly the
// size they declare, on either class. Each runs on a plain image and on a derived one (the
// general per-pixel route); both must end up identical, and a refused call changes nothing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzImages.h"
#include "FuzzInput.h"

namespace {

using zvx::fuzz::FuzzInput;
using zvx::fuzz::ImageRecipe;
using zvx::fuzz::ImageState;
using zvx::fuzz::Require;
using zvx::fuzz::SameImage;

bool Import(IImage& image, const BYTE* rows, std::size_t size)
{
    if (auto* memory = dynamic_cast<CMemoryImage*>(&image)) {
        return memory->ImportRows24(rows, size, IMAGE_FORMAT_ROWS24);
    }
    return dynamic_cast<CDibSectionImage&>(image).ImportRows24(rows, size, IMAGE_FORMAT_ROWS24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const ImageRecipe recipe = ImageRecipe::Read(in, 40);
    const int x = in.Coordinate(60);
    const int y = in.Coordinate(60);
    const int width = in.Coordinate(60);
    const int height = in.Coordinate(60);
    const bool import = (in.Byte() & 1) != 0;
    const auto plain = recipe.Build(false);
    const auto general = recipe.Build(true);

    // The rows buffer holds exactly what the declared block needs, filled from the input.
    std::uint64_t needed = 0;
    if (import) {
        const auto stride = static_cast<std::uint64_t>((plain->GetWidth() * 3 + 3) & ~3);
        needed = stride * static_cast<std::uint64_t>(plain->GetHeight());
        if (in.Byte() & 1) needed = in.Byte();  // sometimes too short, which must be refused
    } else if (width > 0 && height > 0) {
        needed = ((static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3}) * static_cast<std::uint64_t>(height);
    }
    if (needed > (1u << 20)) return 0;  // a block this large is not an interesting input
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(needed));
    if (!rows.empty()) std::memcpy(rows.data(), in.Rest(), std::min<std::size_t>(rows.size(), in.RestSize()));
    // Sometimes no buffer at all, which must be refused.
    const BYTE* block = rows.empty() || (in.Byte() % 16 == 0) ? nullptr : rows.data();

    const ImageState before = ImageState::Of(*plain);
    bool result = false;
    if (import) {
        result = Import(*plain, block, rows.size());
        Require(Import(*general, block, rows.size()) == result);
    } else {
        result = plain->SetRows24(x, y, width, height, block);
        Require(general->SetRows24(x, y, width, height, block) == result);
    }
    Require(SameImage(*plain, *general));
    if (!result) Require(ImageState::Of(*plain) == before);
    return 0;
}
