// .bmp files: what SaveBmp writes, and what LoadBmp and LoadFromMemory take and refuse.
#include <fstream>

#include "support/BmpFiles.h"
#include "support/TestData.h"

namespace {

using namespace zvx::test;

ZVX_IMAGE_TEST_SUITE(BmpTest);

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TYPED_TEST(BmpTest, SavedFilesHoldTheLayoutAndLoadBackAsColours)
{
    for (const auto& [w, h] : {std::pair{3, 2}, std::pair{1, 1}, std::pair{4, 1}, std::pair{5, 3}}) {
        auto image = Make<TypeParam>(w, h);
        Paint(*image, [](int x, int y) { return 0xAB000000u | Pattern(x, y) << 4 | static_cast<Pixel>(x * 40 + 1) << 16; });
        const std::string path = ScratchPath("saved.bmp");
        ASSERT_TRUE(image->SaveBmp(path.c_str()));
        EXPECT_EQ(BmpFile(w, h, [&](int x, int y) { return image->GetPixel(x, y); }), ReadWholeFile(path)) << w << "x" << h;
        auto loaded = Make<TypeParam>(1, 1);
        loaded->SetColorKey(0x010203);
        ASSERT_TRUE(loaded->LoadBmp(path.c_str()));
        EXPECT_EQ(Over(*image, [](int, int, Pixel p) { return std::optional<Pixel>(p & 0xFFFFFF); }), PixelsOf(*loaded));
        EXPECT_EQ(0x010203, loaded->GetColorKey()) << "loading leaves the key alone";
    }
}

TYPED_TEST(BmpTest, LoadingTakesWhatTheFieldsSayAndRefusesTheRestLeavingTheImage)
{
    // The reader uses only the offset, the size and the bit count: no magic, rows behind a gap
    // and junk after them are fine.
    std::string gap = PatternFile({{10, 60}});
    gap.insert(54, "gapgap");
    gap[0] = 'X';
    const std::pair<const char*, std::string> good[] = {{"plain", PatternFile()}, {"gap", gap + "trailing"}};
    for (const auto& [what, bytes] : good) {
        const std::string path = ScratchPath("good.bmp");
        WriteFile(path, bytes);
        auto image = Make<TypeParam>(1, 1);
        ASSERT_TRUE(image->LoadBmp(path.c_str())) << what;
        EXPECT_EQ(Over(*Make<CMemoryImage>(3, 2), [](int x, int y, Pixel) { return std::optional<Pixel>(Pattern(x, y) & 0xFFFFFF); }),
                  PixelsOf(*image))
            << what;
        auto fromMemory = Make<TypeParam>(1, 1);
        ASSERT_TRUE(fromMemory->LoadFromMemory(bytes.data(), IMAGE_FORMAT_BMPFILE)) << what;
        EXPECT_EQ(PixelsOf(*image), PixelsOf(*fromMemory)) << what;
    }

    auto image = Make<TypeParam>(3, 3, 0x00ABCDEF);
    image->SetColorKey(0x00ABCDEF);
    const std::string before = StateOf(*image);
    for (const auto& [what, bytes] : BrokenBmps()) {
        const std::string path = ScratchPath("broken.bmp");
        WriteFile(path, bytes);
        EXPECT_FALSE(image->LoadBmp(path.c_str())) << what;
    }
    const std::string bytes = PatternFile();
    for (const int tag : {0, 1, IMAGE_FORMAT_ROWS24, 383, 385, -1, INT_MIN}) EXPECT_FALSE(image->LoadFromMemory(bytes.data(), tag));
    EXPECT_FALSE(image->LoadFromMemory(nullptr, IMAGE_FORMAT_BMPFILE));
    for (const char* name : {static_cast<const char*>(nullptr), "", ".", "no-such-file.bmp"}) EXPECT_FALSE(image->LoadBmp(name));
    EXPECT_EQ(before, StateOf(*image));

    // Saving needs a name, pixels and a folder; a refused save makes no file.
    const std::string nowhere = ScratchPath("no-such-folder") + "/picture.bmp";
    const std::string empty = ScratchPath("empty.bmp");
    EXPECT_FALSE(image->SaveBmp(nullptr) || image->SaveBmp("") || image->SaveBmp(nowhere.c_str()));
    EXPECT_FALSE(CMemoryImage(0, 0).SaveBmp(empty.c_str()));
    EXPECT_FALSE(FileExists(nowhere) || FileExists(empty));
}

}  // namespace
