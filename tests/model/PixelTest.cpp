// Pixel and channel access, the colour key, Create and the storage of both images.
#include <cfloat>
#include <cmath>
#include <functional>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

static_assert(std::has_virtual_destructor_v<IImage>, "images are deleted through IImage");

ZVX_IMAGE_TEST_SUITE(PixelTest);

// A write onto `start`: inside, true and `after` (the channel setters clamp); outside, false and
// nothing changed.
const struct {
    const char* what;
    std::function<bool(IImage&, int, int)> write;
    Pixel start, after;
} kWrites[] = {
    {"SetPixel", [](IImage& i, int x, int y) { return i.SetPixel(x, y, 0xFF00FFFF); }, 0, 0xFF00FFFF},
    {"SetColor", [](IImage& i, int x, int y) { return i.SetColor(x, y, 0xFF00FFFF); }, 0, 0x0000FFFF},
    {"SetRed 300", [](IImage& i, int x, int y) { return i.SetRed(x, y, 300); }, 0xAB808080, 0xABFF8080},
    {"AddRed 2", [](IImage& i, int x, int y) { return i.AddRed(x, y, 2); }, 0xABFE0101, 0xABFF0101},
    {"AddGreen -300", [](IImage& i, int x, int y) { return i.AddGreen(x, y, -300); }, 0xABFEFEFE, 0xABFE00FE},
    {"AddBlue INT_MAX", [](IImage& i, int x, int y) { return i.AddBlue(x, y, INT_MAX); }, 0x00808080, 0x008080FF},
    {"ScaleBlue -2", [](IImage& i, int x, int y) { return i.ScaleBlue(x, y, -2.0); }, 0x00FEFEFE, 0x00FEFE00},
    {"ScaleRed 1.999", [](IImage& i, int x, int y) { return i.ScaleRed(x, y, 1.999); }, 0x00C80000, 0x00FF0000},
    {"ScaleBlue 0.999", [](IImage& i, int x, int y) { return i.ScaleBlue(x, y, 0.999); }, 0x00000003, 0x00000002},
    {"ScaleGreen inf", [](IImage& i, int x, int y) { return i.ScaleGreen(x, y, HUGE_VAL); }, 0x00000300, 0x0000FF00},
    {"ScaleBlue -DBL_MAX", [](IImage& i, int x, int y) { return i.ScaleBlue(x, y, -DBL_MAX); }, 0x3, 0},
    {"ScaleRed NaN", [](IImage& i, int x, int y) { return i.ScaleRed(x, y, std::nan("")); }, 0x00640000, 0},
};

const std::pair<int, int> kOutside[] = {{-1, 0},      {4, 0},      {0, 3}, {0, -1}, {INT_MIN, INT_MIN},
                                        {INT_MAX, 0}, {5, INT_MAX}};

// The word, its colour, COLORREF, channels and whether it is the key; 0 outside.
template <class I>
std::vector<Pixel> Reads(const I& i, int x, int y)
{
    return {i.GetPixel(x, y), i.GetColor(x, y), i.GetColorRef(x, y), i.GetRed(x, y),
            i.GetGreen(x, y), i.GetBlue(x, y),  i.IsKeyColor(x, y)};
}

TYPED_TEST(PixelTest, WritesChangeOnePixelInsideAndNothingOutsideAndReadsTakeItApart)
{
    for (const auto& w : kWrites) {
        SCOPED_TRACE(w.what);
        auto image = Make<TypeParam>(4, 3, 0xAB000077);  // the key's colour, with a top byte
        image->SetColorKey(0x77);
        image->SetPixel(1, 2, w.start);
        const std::string before = StateOf(*image);
        for (const auto& [x, y] : kOutside) {
            EXPECT_FALSE(w.write(*image, x, y)) << x << "," << y;
            EXPECT_EQ(std::vector<Pixel>(7, 0), Reads(*image, x, y));
        }
        EXPECT_EQ(before, StateOf(*image));
        EXPECT_TRUE(w.write(*image, 1, 2));
        const Pixel p = w.after, ref = (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
        EXPECT_EQ((std::vector<Pixel>{p, p & 0xFFFFFF, ref, p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF, 0}),
                  Reads(*image, 1, 2));
        EXPECT_TRUE(image->IsKeyColor(0, 2) && image->GetPixel(0, 2) == 0xAB000077u);
    }
}

TYPED_TEST(PixelTest, CreateRefusesBadSizesAndMakesRowsOfTheSizeItIsGiven)
{
    auto image = Make<TypeParam>(4, 4, 0x00123456);
    image->SetColorKey(0x00123456);
    const Pixel* rows = image->GetScanLine(0);
    const std::string before = StateOf(*image);
    for (const auto& [w, h] : kBadSizes) {
        EXPECT_FALSE(image->Create(w, h, 0) || image->Create(w, h, 0x11)) << w << " x " << h;
        if constexpr (std::is_constructible_v<TypeParam, int, int>) {
            const TypeParam empty(w, h);  // a heap image of a refused size is empty, and safe to use
            EXPECT_TRUE(empty.GetWidth() == 0 && empty.GetHeight() == 0 && empty.GetScanLine(0) == nullptr);
        }
    }
    EXPECT_EQ(before, StateOf(*image));
    EXPECT_EQ(rows, image->GetScanLine(0));

    ASSERT_TRUE(image->Create(3, 2, 0));
    EXPECT_EQ(std::vector<Pixel>(6, 0), PixelsOf(*image));
    EXPECT_EQ(image->GetScanLine(0) + 3, image->GetScanLine(1));
    EXPECT_TRUE(image->GetScanLine(2) == nullptr && image->GetScanLine(-1) == nullptr);
    ASSERT_TRUE(image->Create(3, 2, 0xFF00FFFF));
    EXPECT_EQ(std::vector<Pixel>(6, 0xFF00FFFF), PixelsOf(*image));
}

}  // namespace
