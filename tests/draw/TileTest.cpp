// TileTo and DrawTiled: a 3 x 2 image laid edge to edge from the rectangle's corner, cut at its edges.
#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

ZVX_IMAGE_TEST_SUITE(TileTest);

struct Rect {
    int x, y, w, h;
    bool accepted;
};

const Rect kRects[] = {{1, 1, 6, 3, true},
                       {-2, -1, 8, 5, true},
                       {0, 0, 2, 1, true},
                       {5, 4, 100, 100, true},
                       {-10, 0, 10, 4, true},
                       {-11, 0, 10, 4, false},
                       {0, -4, 3, 3, false},
                       {0, 0, 0, 4, false},
                       {0, 0, 4, -1, false},
                       {0, 0, INT_MAX, INT_MAX, true},
                       {INT_MIN / 2 + 1, INT_MIN / 2 + 3, INT_MAX, INT_MAX, true},
                       {-INT_MAX, 2, INT_MAX, INT_MAX, true},  // ends exactly at 0
                       {INT_MAX, INT_MAX, INT_MAX, INT_MAX, true},
                       {INT_MIN, INT_MIN, INT_MAX, INT_MAX, false}};

const RECT kAll = {0, 0, 9, 7};  // the destinations' whole area
long long Mod(long long a, long long b) { return (a % b + b) % b; }

// dest under the tiling, within the box: the image's pixel over each destination pixel, if any.
std::vector<Pixel> Tiled(const IImage& dest, const IImage& image, const Rect& r, const RECT& box, bool clear)
{
    return Over(dest, [&](long long dx, long long dy, Pixel) -> std::optional<Pixel> {
        if (dx < box.left || dx >= box.right || dy < box.top || dy >= box.bottom) return std::nullopt;
        if (dx < r.x || dy < r.y || dx >= 1LL * r.x + r.w || dy >= 1LL * r.y + r.h) return std::nullopt;
        return Shown(image, static_cast<int>(Mod(dx - r.x, 3)), static_cast<int>(Mod(dy - r.y, 2)), clear);
    });
}

TYPED_TEST(TileTest, CopiesCoverTheRectangleAndNothingElse)
{
    auto dest = Make<Other<TypeParam>>(9, 7);
    auto canvas = Make<CDibSectionImage>(9, 7);
    for (const bool keyed : {false, true}) {
        auto image = Make<TypeParam>(3, 2);
        Paint(*image, Pattern);
        image->SetPixel(1, 1, 0xFF000000u | 0x123456);
        image->SetColorKey(keyed ? 0x123456 : COLORKEY_NONE);
        for (const Rect& r : kRects) {
            for (const RECT clip : {kAll, RECT{2, 1, 7, 5}}) {
                SCOPED_TRACE(::testing::Message() << r.x << "," << r.y << " " << r.w << "x" << r.h << " clip "
                                                  << clip.right << (keyed ? " keyed" : ""));
                // TileTo blits each copy's part: colours without a key, words with one.
                Paint(*dest, [](int, int) { return 0x77u; });
                const auto tiled = Tiled(*dest, *image, r, kAll, !keyed);
                EXPECT_EQ(r.accepted, image->TileTo(dest.get(), r.x, r.y, r.w, r.h));
                EXPECT_EQ(r.accepted ? tiled : std::vector<Pixel>(63, 0x77), PixelsOf(*dest));

                // DrawTiled draws each copy: words without a key, colours with one. The heap image
                // clips the DC to the rectangle, the DIB-section image keeps the DC's own.
                Paint(*canvas, [](int, int) { return 0x77u; });
                HRGN region = ::CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
                ::SelectClipRgn(canvas->GetDC(), region);
                ::DeleteObject(region);
                const auto drawn = Tiled(*canvas, *image, r, kIsDib<TypeParam> ? clip : kAll, keyed);
                EXPECT_EQ(r.accepted, image->DrawTiled(canvas->GetDC(), r.x, r.y, r.w, r.h));
                EXPECT_EQ(r.accepted ? drawn : std::vector<Pixel>(63, 0x77), PixelsOf(*canvas));
            }
        }
        // Nothing to draw on.
        EXPECT_TRUE(image->TileTo(nullptr, 0, 0, 8, 4) && image->DrawTiled(nullptr, 0, 0, 8, 4));
    }
    CMemoryImage empty(0, 0);  // no pixels: no step forward, so refused instead of looping
    EXPECT_FALSE(empty.TileTo(dest.get(), 0, 0, 4, 4));
    EXPECT_FALSE(empty.DrawTiled(canvas->GetDC(), 0, 0, 4, 4));
}

}  // namespace
