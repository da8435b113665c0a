// The row-at-a-time paths taken for plain images must give exactly what the per-pixel path gives.
// A subclass that overrides nothing has another dynamic type, so it always takes the per-pixel
// path; both are driven with the same random inputs and compared bit for bit.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"
#include "support/TestData.h"

namespace {

using zvx::test::ReadWholeFile;
using zvx::test::ScratchPath;

template <class T>
class GeneralPath : public zvx::test::DefaultConstructed<T> {};

template <class T>
class FastPathTest : public ::testing::Test {
protected:
    std::mt19937 random{20261206};
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // A random w x h picture in plain, and the same words in general.
    template <class Image>
    void RandomPair(IImage& plain, Image& general, int w, int h)
    {
        plain.Create(w, h, 0);
        general.Create(w, h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const auto v = static_cast<Pixel>(random());
                plain.SetPixel(x, y, v);
                general.SetPixel(x, y, v);
            }
        }
    }

    void ExpectSamePixels(IImage& a, IImage& b)
    {
        ASSERT_EQ(a.GetWidth(), b.GetWidth());
        ASSERT_EQ(a.GetHeight(), b.GetHeight());
        for (int y = 0; y < a.GetHeight(); ++y) {
            for (int x = 0; x < a.GetWidth(); ++x) ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
        }
    }
};
TYPED_TEST_SUITE(FastPathTest, zvx::test::ImageClasses);

TYPED_TEST(FastPathTest, SetRows24MatchesThePerPixelPath)
{
    for (int round = 0; round < 200; ++round) {
        const int w = this->Between(1, 23);
        const int h = this->Between(1, 17);
        auto fast = zvx::test::MakeImage<TypeParam>(1, 1);
        GeneralPath<TypeParam> general;
        this->RandomPair(*fast, general, w, h);
        const int bw = this->Between(1, 30);
        const int bh = this->Between(1, 30);
        const int bx = this->Between(-bw - 2, w + 2);
        const int by = this->Between(-bh - 2, h + 2);
        std::vector<BYTE> rows(static_cast<std::size_t>(((bw * 3 + 3) & ~3) * bh));
        for (BYTE& b : rows) b = static_cast<BYTE>(this->random());
        const bool a = fast->SetRows24(bx, by, bw, bh, rows.data());
        const bool b = general.SetRows24(bx, by, bw, bh, rows.data());
        ASSERT_EQ(a, b) << "round " << round;
        this->ExpectSamePixels(*fast, general);
    }
}

TYPED_TEST(FastPathTest, SaveBmpWritesTheSameBytes)
{
    for (int round = 0; round < 40; ++round) {
        const int w = this->Between(1, 33);
        const int h = this->Between(1, 9);
        auto fast = zvx::test::MakeImage<TypeParam>(1, 1);
        GeneralPath<TypeParam> general;
        this->RandomPair(*fast, general, w, h);
        const std::string a = ScratchPath("fast.bmp");
        const std::string b = ScratchPath("general.bmp");
        ASSERT_TRUE(fast->SaveBmp(a.c_str()));
        ASSERT_TRUE(general.SaveBmp(b.c_str()));
        ASSERT_EQ(ReadWholeFile(a), ReadWholeFile(b)) << w << " x " << h;

        // And loading that file back gives the same pixels both ways.
        auto fastLoaded = zvx::test::MakeImage<TypeParam>(1, 1);
        GeneralPath<TypeParam> generalLoaded;
        ASSERT_TRUE(fastLoaded->LoadBmp(a.c_str()));
        ASSERT_TRUE(generalLoaded.LoadBmp(a.c_str()));
        this->ExpectSamePixels(*fastLoaded, generalLoaded);
    }
}

}  // namespace
