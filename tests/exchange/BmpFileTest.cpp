#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"
#include "support/TestData.h"

namespace {

using zvx::test::FileExists;
using zvx::test::MakeImage;
using zvx::test::ReadWholeFile;
using zvx::test::ScratchPath;

std::uint32_t U32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
    return v;
}

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
}

template <class T>
class BmpFileTest : public ::testing::Test {
protected:
    // A saved w x h picture whose pixels all differ, as the bytes of its file.
    std::string SavedPicture(int w, int h)
    {
        auto image = MakeImage<T>(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) image->SetPixel(x, y, 0xAB000000u | static_cast<Pixel>(x * 40 + 1) << 16 | static_cast<Pixel>(y * 50 + 2) << 8 | 3u);
        }
        const std::string path = ScratchPath("picture.bmp");
        // A failed save gives an empty string, which every caller checks before reading it.
        if (!image->SaveBmp(path.c_str())) return {};
        return ReadWholeFile(path);
    }

    // An image whose state a failed load must not change.
    std::unique_ptr<T> Sentinel()
    {
        auto image = MakeImage<T>(3, 3, 0x00ABCDEF);
        image->SetColorKey(0x00ABCDEF);
        return image;
    }

    void ExpectSentinel(T& image)
    {
        ASSERT_EQ(image.GetWidth(), 3);
        ASSERT_EQ(image.GetHeight(), 3);
        EXPECT_EQ(image.GetPixel(2, 2), 0x00ABCDEFu);
        EXPECT_EQ(image.GetColorKey(), 0x00ABCDEF);
    }
};
TYPED_TEST_SUITE(BmpFileTest, zvx::test::ImageClasses);

TYPED_TEST(BmpFileTest, FileLayoutHasStridePaddingAndBottomRowFirst)
{
    EXPECT_EQ(this->SavedPicture(1, 1).size(), 58u);
    EXPECT_EQ(this->SavedPicture(4, 1).size(), 66u);
    const std::string file = this->SavedPicture(3, 2);
    ASSERT_EQ(file.size(), 78u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(U32At(file, 2), 78u);
    EXPECT_EQ(U32At(file, 10), 54u);
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(U32At(file, 18), 3u);
    EXPECT_EQ(U32At(file, 22), 2u);
    EXPECT_EQ(U32At(file, 26), 1u | (24u << 16));
    for (std::size_t i = 30; i < 54; ++i) EXPECT_EQ(file[i], 0) << "header byte " << i;
    // Row 0 of the file is the image's bottom row (y = 1): blue, green, red of (0, 1).
    EXPECT_EQ(static_cast<std::uint8_t>(file[54]), 3);
    EXPECT_EQ(static_cast<std::uint8_t>(file[55]), 52);
    EXPECT_EQ(static_cast<std::uint8_t>(file[56]), 1);
    // Three padding bytes end each 9-byte row.
    EXPECT_EQ(file.substr(63, 3), std::string(3, '\0'));
    EXPECT_EQ(static_cast<std::uint8_t>(file[66 + 4]), 2) << "second file row is y = 0";
}

TYPED_TEST(BmpFileTest, SavingAndLoadingKeepsEveryColourAndClearsTopBytes)
{
    auto source = MakeImage<TypeParam>(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) source->SetPixel(x, y, 0xFF000000u | static_cast<Pixel>(x * 0x112233 + y * 0x010203));
    }
    const std::string path = ScratchPath("roundtrip.bmp");
    ASSERT_TRUE(source->SaveBmp(path.c_str()));
    auto loaded = MakeImage<TypeParam>(1, 1);
    loaded->SetColorKey(0x00010203);
    ASSERT_TRUE(loaded->LoadBmp(path.c_str()));
    ASSERT_EQ(loaded->GetWidth(), 5);
    ASSERT_EQ(loaded->GetHeight(), 3);
    EXPECT_EQ(loaded->GetColorKey(), 0x00010203) << "loading does not touch the key";
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(loaded->GetPixel(x, y), source->GetColor(x, y)) << x << "," << y;
    }
}

TYPED_TEST(BmpFileTest, MagicIsIgnoredButBitCountAndOrientationAreNot)
{
    std::string file = this->SavedPicture(2, 2);
    ASSERT_EQ(file.size(), 70u);
    file[0] = 'X';
    file[1] = 'Y';
    auto image = this->Sentinel();
    EXPECT_TRUE(image->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
    EXPECT_EQ(image->GetWidth(), 2);

    for (std::uint32_t bits : {8u, 32u}) {
        std::string other = file;
        other[28] = static_cast<char>(bits);
        auto sentinel = this->Sentinel();
        EXPECT_FALSE(sentinel->LoadFromMemory(other.data(), IMAGE_FORMAT_BMPFILE)) << bits;
        this->ExpectSentinel(*sentinel);
    }
    std::string topDown = file;
    PutU32(topDown, 22, static_cast<std::uint32_t>(-2));
    auto sentinel = this->Sentinel();
    EXPECT_FALSE(sentinel->LoadFromMemory(topDown.data(), IMAGE_FORMAT_BMPFILE));
    this->ExpectSentinel(*sentinel);
}

TYPED_TEST(BmpFileTest, LoadFromMemoryTakesOnlyTheFileTag)
{
    const std::string file = this->SavedPicture(2, 2);
    ASSERT_EQ(file.size(), 70u);
    auto image = this->Sentinel();
    for (int tag : {0, 1, IMAGE_FORMAT_ROWS24, 383, 385, -1}) {
        EXPECT_FALSE(image->LoadFromMemory(file.data(), tag)) << tag;
        this->ExpectSentinel(*image);
    }
    EXPECT_FALSE(image->LoadFromMemory(nullptr, IMAGE_FORMAT_BMPFILE));
    this->ExpectSentinel(*image);
}

TYPED_TEST(BmpFileTest, ShortOrLyingFilesAreRefusedWithTheImageUnchanged)
{
    const std::string good = this->SavedPicture(3, 2);
    ASSERT_EQ(good.size(), 78u);
    std::vector<std::pair<std::string, std::string>> bad;
    bad.emplace_back("empty", "");
    bad.emplace_back("shorter than its fields", good.substr(0, 29));
    bad.emplace_back("missing its last byte", good.substr(0, good.size() - 1));
    std::string farOffset = good;
    PutU32(farOffset, 10, 0xFFFFFFF0u);
    bad.emplace_back("offset past the end", farOffset);
    std::string lateOffset = good;
    PutU32(lateOffset, 10, 55);
    bad.emplace_back("rows running past the end", lateOffset);
    std::string tall = good;
    PutU32(tall, 22, 3);
    bad.emplace_back("more rows than bytes", tall);
    std::string bothNegative = good;
    PutU32(bothNegative, 18, static_cast<std::uint32_t>(-3));
    PutU32(bothNegative, 22, static_cast<std::uint32_t>(-2));
    bad.emplace_back("negative width and height", bothNegative);
    std::string huge = good;
    PutU32(huge, 18, 3000000);
    PutU32(huge, 22, 2000000);
    bad.emplace_back("3,000,000 x 2,000,000", huge);
    std::string wide = good;
    PutU32(wide, 18, 0x7FFFFFFF);
    PutU32(wide, 22, 1);
    bad.emplace_back("row stride past 32 bits", wide);

    for (const auto& [what, bytes] : bad) {
        const std::string path = ScratchPath("bad.bmp");
        WriteBytes(path, bytes);
        auto image = this->Sentinel();
        EXPECT_FALSE(image->LoadBmp(path.c_str())) << what;
        this->ExpectSentinel(*image);
    }
    auto image = this->Sentinel();
    EXPECT_FALSE(image->LoadBmp(nullptr));
    EXPECT_FALSE(image->LoadBmp(ScratchPath("does-not-exist.bmp").c_str()));
    this->ExpectSentinel(*image);
}

TYPED_TEST(BmpFileTest, ExtraBytesAndAnOffsetBeyondTheHeaderAreFine)
{
    std::string file = this->SavedPicture(3, 2);
    ASSERT_EQ(file.size(), 78u);
    // Rows moved 6 bytes further, behind a made-up gap, with trailing junk after them.
    file.insert(54, "gapgap");
    PutU32(file, 10, 60);
    file += "trailing";
    const std::string path = ScratchPath("offset.bmp");
    WriteBytes(path, file);
    auto image = MakeImage<TypeParam>(1, 1);
    ASSERT_TRUE(image->LoadBmp(path.c_str()));
    EXPECT_EQ(image->GetPixel(0, 1), 0x00013403u);
}

TYPED_TEST(BmpFileTest, SaveRefusesEmptyImagesAndReplacesAnOldFileWhole)
{
    CMemoryImage empty(0, 0);
    const std::string path = ScratchPath("never.bmp");
    EXPECT_FALSE(empty.SaveBmp(path.c_str()));
    EXPECT_FALSE(FileExists(path));
    auto image = MakeImage<TypeParam>(2, 2);
    EXPECT_FALSE(image->SaveBmp(nullptr));

    // A successful save replaces an existing file whole; failed ones are in SaveFileTest.cpp.
    const std::string existing = ScratchPath("existing.bmp");
    WriteBytes(existing, "precious contents");
    ASSERT_TRUE(image->SaveBmp(existing.c_str()));
    EXPECT_EQ(ReadWholeFile(existing).size(), 54u + 8u * 2u);
}

}  // namespace
