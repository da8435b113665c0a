// Draw, whole and in part, and DrawBlend onto a device context: a DIB-section image's memory DC,
// read back directly.
#include <cmath>
#include <functional>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

template <class T>
class DrawTest : public ::testing::Test {};
TYPED_TEST_SUITE(DrawTest, ImageClasses);

// What drawing the image's top-left part at (x, y) leaves: whole words without a key; with one,
// colours (GDI carries no top byte) and the canvas's own pixel under the key colour.
std::vector<Pixel> Drawn(const IImage& image, int w, int h, const IImage& canvas, int x, int y)
{
    return Blitted(image, w, h, canvas, x, y, image.GetColorKey() != COLORKEY_NONE);
}

TYPED_TEST(DrawTest, DrawAndBlendPutTheImageOnTheDcAsTheOracleSays)
{
    const std::pair<int, int> positions[] = {{0, 0},          {1, 2},           {-2, -1},        {4, 0},
                                             {-3, 0},         {5, 4},           {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
                                             {INT_MAX - 1, 0}, {0, INT_MIN + 1}};
    const struct {
        const char* what;
        std::function<bool(IImage&, HDC, int, int)> draw;
        int w, h;        // the part drawn, 0: refused
        double alpha;    // blended, when below 1
    } cases[] = {
        {"whole", [](IImage& i, HDC dc, int x, int y) { return i.Draw(dc, x, y); }, 3, 2, 1},
        {"part", [](IImage& i, HDC dc, int x, int y) { return i.Draw(dc, x, y, 2, 1); }, 2, 1, 1},
        {"part beyond", [](IImage& i, HDC dc, int x, int y) { return i.Draw(dc, x, y, 500, 500); }, 3, 2, 1},
        {"no width", [](IImage& i, HDC dc, int x, int y) { return i.Draw(dc, x, y, 0, 5); }, 0, 0, 1},
        {"no height", [](IImage& i, HDC dc, int x, int y) { return i.Draw(dc, x, y, INT_MAX, -1); }, 0, 0, 1},
        {"blend 0.7", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, 0.7); }, 3, 2, 0.7},
        {"blend 0.3", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, 0.3); }, 3, 2, 0.3},
        {"blend 0.5", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, 0.5); }, 3, 2, 0.5},
        {"blend 1", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, 1.0); }, 3, 2, 1},
        {"blend inf", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, HUGE_VAL); }, 3, 2, 1},
        {"blend 0", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, 0.0); }, 0, 0, 1},
        {"blend -1", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, -1.0); }, 0, 0, 1},
        {"blend NaN", [](IImage& i, HDC dc, int x, int y) { return i.DrawBlend(dc, x, y, std::nan("")); }, 0, 0, 1},
    };
    auto canvas = Make<CDibSectionImage>(6, 5);
    for (const bool keyed : {false, true}) {
        auto image = Make<TypeParam>(3, 2);
        Paint(*image, Pattern);
        image->SetPixel(0, 0, 0xFF000000u | 0x00FF80);  // channels the pattern lacks, for the blend
        image->SetPixel(2, 1, 0xFFFFFFFF);              // the key colour with a top byte
        image->SetColorKey(keyed ? 0xFFFFFF : COLORKEY_NONE);
        const std::string before = StateOf(*image);
        for (const auto& c : cases) {
            for (const auto& position : positions) {
                const int x = position.first, y = position.second;  // C++17 lambdas cannot capture bindings
                SCOPED_TRACE(::testing::Message() << c.what << (keyed ? " keyed" : "") << " at " << x << "," << y);
                Paint(*canvas, [](int x, int y) { return 0x00FF0000u | static_cast<Pixel>(x * 40) << 8 | (y * 60); });
                const auto expected =
                    c.w == 0      ? PixelsOf(*canvas)
                    : c.alpha < 1 ? Over(*canvas, [&](long long cx, long long cy, Pixel d) -> std::optional<Pixel> {
                                        if (cx - x < 0 || cy - y < 0 || cx - x >= 3 || cy - y >= 2) return std::nullopt;
                                        const auto s = Shown(*image, static_cast<int>(cx - x), static_cast<int>(cy - y), true);
                                        return s ? std::optional<Pixel>(MixPixel(*s, d, c.alpha)) : std::nullopt;
                                    })
                                  : Drawn(*image, c.w, c.h, *canvas, x, y);
                EXPECT_EQ(c.w != 0, c.draw(*image, canvas->GetDC(), x, y));
                EXPECT_EQ(expected, PixelsOf(*canvas));
            }
            // GDI's answers are not examined: no DC, a stale one or another object's handle.
            HDC stale = CDibSectionImage().GetDC();
            for (HDC dc : {HDC{}, stale, reinterpret_cast<HDC>(canvas->GetBitmap())}) EXPECT_EQ(c.w != 0, c.draw(*image, dc, 1, 1));
        }
        EXPECT_EQ(before, StateOf(*image));
    }
}

// Onto its own DC an image shows itself as it was before the call.
TEST(DrawOntoItself, ShowsTheImageUntouched)
{
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{-1, -1}, std::pair{0, 1}}) {
        auto image = Make<CDibSectionImage>(5, 4);
        Paint(*image, Pattern);
        const auto expected = Drawn(*image, 5, 4, *image, x, y);
        EXPECT_TRUE(image->Draw(image->GetDC(), x, y));
        EXPECT_EQ(expected, PixelsOf(*image)) << x << "," << y;
    }
}

}  // namespace
