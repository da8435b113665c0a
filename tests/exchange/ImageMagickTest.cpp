// A real peer reads what SaveBmp writes and writes what LoadBmp reads, with identical pixels.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/Images.h"
#include "support/TestData.h"

namespace {

using zvx::test::ReadWholeFile;
using zvx::test::ScratchPath;

bool HaveImageMagick()
{
#ifdef _WIN32
    return false;
#else
    return std::system("/usr/bin/convert -version > /dev/null 2>&1") == 0;
#endif
}

Pixel Pattern(int x, int y) { return static_cast<Pixel>((x * 37 + y * 11) % 256) << 16 | static_cast<Pixel>((x * y) % 256) << 8 | static_cast<Pixel>((255 - x) % 256); }

TEST(ImageMagick, ReadsWhatSaveBmpWritesAndWritesWhatLoadBmpReads)
{
    if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick runs only beside the native build";
    CMemoryImage image(7, 5);  // an odd width, so rows are padded
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) image.SetPixel(x, y, Pattern(x, y));
    }
    const std::string ours = ScratchPath("ours.bmp");
    const std::string rgb = ScratchPath("ours.rgb");
    ASSERT_TRUE(image.SaveBmp(ours.c_str()));
    ASSERT_EQ(std::system(("/usr/bin/convert " + ours + " -depth 8 rgb:" + rgb).c_str()), 0);
    const std::string raw = ReadWholeFile(rgb);
    ASSERT_EQ(raw.size(), 7u * 5u * 3u);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(raw.data()) + (y * 7 + x) * 3;
            EXPECT_EQ(static_cast<Pixel>(p[0] << 16 | p[1] << 8 | p[2]), Pattern(x, y)) << x << "," << y;
        }
    }

    const std::string theirs = ScratchPath("theirs.bmp");
    ASSERT_EQ(std::system(("/usr/bin/convert -size 7x5 -depth 8 rgb:" + rgb + " -type TrueColor BMP3:" + theirs).c_str()), 0);
    CMemoryImage loaded(1, 1);
    ASSERT_TRUE(loaded.LoadBmp(theirs.c_str()));
    ASSERT_EQ(loaded.GetWidth(), 7);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded.GetPixel(x, y), Pattern(x, y)) << x << "," << y;
    }
}

}  // namespace
