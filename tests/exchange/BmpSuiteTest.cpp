// The public BMP conformance corpus: the 24-bit files load exactly, everything else is refused
// or loaded as its fields say, and nothing reads outside its bytes (the sanitizer build checks).
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"
#include "support/TestData.h"

namespace {

using zvx::test::DataPath;
using zvx::test::ReadWholeFile;

struct Rgb {
    std::vector<std::uint8_t> bytes;
    int width = 0;
    int height = 0;
};

// The reference rendering, a binary PPM (P6, maxval 255).
Rgb ReadPpm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Rgb rgb;
    in >> magic >> rgb.width >> rgb.height >> maxval;
    in.get();
    rgb.bytes.resize(static_cast<std::size_t>(rgb.width) * static_cast<std::size_t>(rgb.height) * 3);
    in.read(reinterpret_cast<char*>(rgb.bytes.data()), static_cast<std::streamsize>(rgb.bytes.size()));
    return rgb;
}

void ExpectPicture(IImage& image, const Rgb& reference, bool redGreenSwapped)
{
    ASSERT_EQ(image.GetWidth(), reference.width);
    ASSERT_EQ(image.GetHeight(), reference.height);
    int mismatches = 0;
    for (int y = 0; y < reference.height; ++y) {
        for (int x = 0; x < reference.width; ++x) {
            const std::uint8_t* p = &reference.bytes[(static_cast<std::size_t>(y) * static_cast<std::size_t>(reference.width) + static_cast<std::size_t>(x)) * 3];
            const Pixel r = redGreenSwapped ? p[1] : p[0];
            const Pixel g = redGreenSwapped ? p[0] : p[1];
            if (image.GetPixel(x, y) != ((r << 16) | (g << 8) | p[2])) ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

template <class T>
class BmpSuiteTest : public ::testing::Test {};
TYPED_TEST_SUITE(BmpSuiteTest, zvx::test::ImageClasses);

TYPED_TEST(BmpSuiteTest, TwentyFourBitFilesMatchTheReference)
{
    const Rgb reference = ReadPpm(DataPath("bmpsuite/rgb24-reference.ppm"));
    ASSERT_EQ(reference.width, 127);
    for (const char* name : {"g/rgb24.bmp", "g/rgb24pal.bmp", "q/rgb24largepal.bmp", "q/rgb24prof.bmp",
                             "q/rgb24prof2.bmp", "q/rgb24lprof.bmp"}) {
        SCOPED_TRACE(name);
        auto image = zvx::test::MakeImage<TypeParam>(1, 1);
        ASSERT_TRUE(image->LoadBmp(DataPath(std::string("bmpsuite/") + name).c_str()));
        // This one stores red and green exchanged and relies on a colour profile to undo it.
        ExpectPicture(*image, reference, std::string(name) == "q/rgb24prof2.bmp");
    }
}

// The fields this library reads, decoded independently of it.
struct Fields {
    bool complete = false;
    std::uint32_t offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 0;
};

Fields Decode(const std::string& file)
{
    Fields f;
    if (file.size() < 30) return f;
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at])) |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 3])) << 24;
    };
    f.complete = true;
    f.offset = u32(10);
    f.width = static_cast<std::int32_t>(u32(18));
    f.height = static_cast<std::int32_t>(u32(22));
    f.bits = static_cast<std::uint16_t>(u32(28) & 0xFFFF);
    return f;
}

TYPED_TEST(BmpSuiteTest, EveryOtherFileIsRefusedOrLoadedAsItsFieldsSay)
{
    int files = 0;
    for (const char* folder : {"g", "q", "b", "x"}) {
        for (const auto& entry : std::filesystem::directory_iterator(DataPath(std::string("bmpsuite/") + folder))) {
            const std::string path = entry.path().string();
            SCOPED_TRACE(path);
            ++files;
            const std::string file = ReadWholeFile(path);
            const Fields f = Decode(file);
            auto image = zvx::test::MakeImage<TypeParam>(2, 2, 0x00ABCDEF);
            const bool loaded = image->LoadBmp(path.c_str());
            const std::uint64_t stride = (static_cast<std::uint64_t>(f.width > 0 ? f.width : 0) * 3 + 3) & ~3ull;
            const bool fits = f.width > 0 && f.height > 0 &&
                              static_cast<std::uint64_t>(f.offset) + stride * static_cast<std::uint64_t>(f.height) <= file.size();
            const bool expected = f.complete && f.bits == 24 && fits;
            EXPECT_EQ(loaded, expected);
            if (loaded) {
                EXPECT_EQ(image->GetWidth(), f.width);
                EXPECT_EQ(image->GetHeight(), f.height);
                // The bottom-left pixel comes from the first bytes at the offset.
                const auto* p = reinterpret_cast<const std::uint8_t*>(file.data()) + f.offset;
                EXPECT_EQ(image->GetPixel(0, f.height - 1), static_cast<Pixel>(p[2] << 16 | p[1] << 8 | p[0]));
            } else {
                EXPECT_EQ(image->GetWidth(), 2);
                EXPECT_EQ(image->GetPixel(1, 1), 0x00ABCDEFu);
            }
        }
    }
    EXPECT_EQ(files, 91) << "the whole corpus was visited";
}

}  // namespace
