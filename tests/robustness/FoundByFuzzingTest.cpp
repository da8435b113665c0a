// Faults the fuzzers found (fuzz/), each kept as the smallest case that showed it.
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

#ifndef _WIN32
#include "platform/posix/sound/WaveFile.h"
#endif

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::PixelsOf;

// fuzz_draw: a DIB-section image drawn onto its own memory DC (directly, or as one copy of a
// tiling) made GDI copy rows of the section onto rows of the same section; the copy overlapped
// itself, and rows below the source read what had just been written over them.
TEST(FoundByFuzzing, AnImageDrawnOntoItsOwnDcShowsItselfUntouched)
{
    for (const int offset : {1, -1}) {
        SCOPED_TRACE(offset);
        auto image = MakeTestImage<CDibSectionImage>(5, 4);
        PaintPattern(*image);
        CMemoryImage original(1, 1);
        ASSERT_TRUE(original.CopyFrom(static_cast<const IPixelBuffer*>(image.get())));

        EXPECT_TRUE(image->Draw(image->GetDC(), offset, offset));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const int sx = x - offset;
                const int sy = y - offset;
                const bool covered = sx >= 0 && sx < 5 && sy >= 0 && sy < 4;
                EXPECT_EQ(original.GetPixel(covered ? sx : x, covered ? sy : y), image->GetPixel(x, y)) << x << "," << y;
            }
        }
    }
    // The tiling that found it: copies laid over the image's own DC, each from the image as it
    // was before the call.
    auto tiled = MakeTestImage<CDibSectionImage>(2, 3);
    PaintPattern(*tiled);
    const std::vector<Pixel> before = PixelsOf(*tiled);
    EXPECT_TRUE(tiled->DrawTiled(tiled->GetDC(), 0, 1, 2, 2));
    EXPECT_EQ(before[0], tiled->GetPixel(0, 1));
    EXPECT_EQ(before[3], tiled->GetPixel(1, 2));
}

#ifndef _WIN32
using zvx::platform::sound::ParseWave;
using zvx::platform::sound::WaveSound;

// fuzz_wave: a RIFF header declaring fewer than the 4 bytes of its own "WAVE", in a block with
// more bytes after it, sent the chunk walk from offset 12 towards an end at 8, far past the block.
TEST(FoundByFuzzing, ARiffImageTooShortForItsOwnFormTagIsRefused)
{
    for (const char declared : {'\0', '\1', '\3'}) {
        std::string image = std::string("RIFF", 4) + declared + std::string(3, '\0') + "WAVE";
        image += std::string("fmt \x10\0\0\0", 8);
        const std::vector<std::uint8_t> block(image.begin(), image.end());
        WaveSound sound;
        EXPECT_FALSE(ParseWave(block.data(), block.size(), &sound)) << static_cast<int>(declared);
    }
}
#endif

}  // namespace
