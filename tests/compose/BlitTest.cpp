// Every BltTo overload, and Draw onto a DIB section's DC, at and beyond every edge of its
// destination, with and without a key, and onto nothing: each leaves what the blit oracle says.
// BlendTo and DrawBlend: opacities refused, blitting or drawing, and blending, at every edge.
#include <cmath>
#include <cstring>
#include <limits>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

// A route's traits: w, W: whole words are copied without a key, with one (else colours only); a, A: true for
// any destination without a key, with one (GDI clips what lies outside); s: takes a part; g: needs a
// destination with a DC; d: draws on it (and takes no DC too).
struct Route {
    const char* name;
    bool (*blit)(IImage& src, IImage* dest, int x, int y, int w, int h);
    const char* traits;
    bool operator[](char trait) const { return std::strchr(traits, trait) != nullptr; }
};

HDC DcOf(IImage* d) { return d != nullptr ? As<IGdiImage>(d)->GetDC() : HDC{}; }

// GDI carries no top byte: with a key, colours, and the canvas's own pixel under the key colour.
const Route kRoutes[] = {
    {"IImage", [](IImage& s, IImage* d, int x, int y, auto...) { return s.BltTo(d, x, y); }, "W"},
    {"sized", [](IImage& s, IImage* d, int x, int y, int w, int h) { return s.BltTo(d, x, y, w, h); }, "Ws"},
    {"IPixelBuffer", [](IImage& s, IImage* d, int x, int y, auto...) { return s.BltTo(As<IPixelBuffer>(d), x, y); },
     "wW"},
    {"IGdiImage", [](IImage& s, IImage* d, int x, int y, auto...) { return s.BltTo(As<IGdiImage>(d), x, y); }, "waAg"},
    {"IDibImage", [](IImage& s, IImage* d, int x, int y, auto...) { return s.BltTo(As<IDibImage>(d), x, y); }, "wWag"},
    {"Draw", [](IImage& s, IImage* d, int x, int y, auto...) { return s.Draw(DcOf(d), x, y); }, "waAgd"},
    {"Draw part", [](IImage& s, IImage* d, int x, int y, int w, int h) { return s.Draw(DcOf(d), x, y, w, h); },
     "waAsgd"},
};

const int kXs[] = {INT_MIN, INT_MIN + 1, -4, -3, -2, -1, 0, 2, 3, 4, INT_MAX - 1, INT_MAX};
const int kYs[] = {INT_MIN, -2, -1, 0, 1, 2, 3, INT_MAX};
using Sizes = std::vector<std::pair<int, int>>;
const Sizes kParts = {{1, 1}, {2, 5}, {50, 50}, {0, 1}, {1, 0}, {-3, 2}, {INT_MAX, INT_MAX}, {INT_MIN, 1}};
const Sizes kWhole = {{3, 2}};

// A 3 x 2 pattern; keyed, two pixels show the key, one of them with a top byte.
template <class T>
std::unique_ptr<T> Source(bool keyed)
{
    auto src = Make<T>(3, 2);
    Paint(*src, Pattern);
    if (keyed) {
        src->SetColorKey(0xABCDEF);
        src->SetPixel(1, 0, 0xFF000000u | 0xABCDEF);
        src->SetPixel(0, 1, 0xABCDEF);
    }
    return src;
}

ZVX_IMAGE_TEST_SUITE(BlitTest);

TYPED_TEST(BlitTest, EveryRoutePlacesClipsAndKeysAsTheOracleSays)
{
    // Destinations of the other kind, a DIB section for the GDI routes, and an empty image.
    std::unique_ptr<IImage> dests[] = {Make<Other<TypeParam>>(4, 3), Make<DibOf<TypeParam>>(4, 3),
                                       std::make_unique<CMemoryImage>(0, 0)};
    for (const bool keyed : {false, true}) {
        auto src = Source<TypeParam>(keyed);
        for (const Route& r : kRoutes) {
            EXPECT_EQ(r['d'], r.blit(*src, nullptr, 0, 0, 1, 1)) << r.name;
            for (auto& dest : dests) {
                if (r['g'] && dynamic_cast<IGdiImage*>(dest.get()) == nullptr) continue;
                for (const auto& [w, h] : r['s'] ? kParts : kWhole) {
                    for (const int x : kXs) {
                        for (const int y : kYs) {
                            SCOPED_TRACE(::testing::Message()
                                         << r.name << (keyed ? " keyed" : "") << " at " << x << "," << y << " part "
                                         << w << "x" << h << " onto " << dest->GetWidth());
                            Paint(*dest, [](int, int) { return 0x11111111u; });
                            const bool overlaps = x > -3 && y > -2 && x < dest->GetWidth() && y < dest->GetHeight();
                            const bool accepted = (r[keyed ? 'A' : 'a'] || overlaps) && w >= 1 && h >= 1;
                            const auto expected = accepted ? Blitted(*src, std::min(w, 3), std::min(h, 2), *dest, x, y,
                                                                     !r[keyed ? 'W' : 'w'])
                                                           : PixelsOf(*dest);
                            EXPECT_EQ(accepted, r.blit(*src, dest.get(), x, y, w, h));
                            EXPECT_EQ(expected, PixelsOf(*dest));
                        }
                    }
                }
            }
            EXPECT_EQ(StateOf(*Source<TypeParam>(keyed)), StateOf(*src)) << "the source is left alone";
        }
    }
    // Onto itself (or its own DC) an image leaves what an untouched copy would, whichever way they
    // overlap, with a key or without: three rows overlap, so the order of the rows shows.
    for (const Route& r : kRoutes) {
        for (const auto& [at, keyed] : {std::pair{1, false}, {-1, false}, {1, true}, {-1, true}}) {
            auto self = Make<TypeParam>(3, 4);
            Paint(*self, Pattern);
            self->SetColorKey(keyed ? Pattern(1, 1) & 0xFFFFFF : COLORKEY_NONE);
            const auto expected = Blitted(*self, 3, 4, *self, at, at, !r[keyed ? 'W' : 'w']);
            // A keyed Draw onto its own DC sets pixels as it reads them, as GDI's SetPixel does.
            if ((r['g'] && !kIsDib<TypeParam>) || (keyed && r['d'])) continue;
            EXPECT_TRUE(r.blit(*self, self.get(), at, at, 3, 4) && expected == PixelsOf(*self))
                << r.name << " " << at << (keyed ? " keyed" : "");
        }
    }
}

Pixel Colourful(int x, int y) { return 0x7F000000u + x * 0x2F1D07u + y * 0x0B3B65u; }

ZVX_IMAGE_TEST_SUITE(BlendTest);

TYPED_TEST(BlendTest, ChannelsMixOrTheBlitTakesOverOrTheOpacityIsRefused)
{
    const double inf = HUGE_VAL;
    const double alphas[] = {0.5,  0.3,  0.001,       0.999, 0.123456789, std::numeric_limits<double>::denorm_min(),
                             0.7,  1.0,  2.0,         inf,   0.0,         -0.0,
                             -0.5, -inf, std::nan("")};
    const std::pair<int, int> positions[] = {
        {0, 0},          {2, 1}, {-2, -1}, {4, 0}, {-3, 0}, {0, 3}, {0, -2}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
        {INT_MAX - 1, 0}};
    for (const bool keyed : {false, true}) {
        auto src = Make<TypeParam>(3, 2);
        Paint(*src, Colourful);
        src->SetPixel(2, 0, 0xEE000000u | 0xABCDEF);
        src->SetColorKey(keyed ? 0xABCDEF : COLORKEY_NONE);
        const std::string source = StateOf(*src);
        auto dest = Make<Other<TypeParam>>(4, 3);
        auto canvas = Make<CDibSectionImage>(4, 3);
        for (const double alpha : alphas) {
            for (const auto& [x, y] : positions) {
                for (const bool onDc : {false, true}) {  // DrawBlend draws (any place) where BlendTo blits
                    SCOPED_TRACE(::testing::Message()
                                 << alpha << " at " << x << "," << y << (keyed ? " keyed" : "") << (onDc ? " DC" : ""));
                    IImage& target = onDc ? static_cast<IImage&>(*canvas) : *dest;
                    Paint(target, [](int x, int y) { return Colourful(y + 9, x); });
                    const bool overlaps = x > -3 && y > -2 && x < 4 && y < 3;
                    const bool result = alpha >= 1.0 && !onDc ? overlaps : alpha > 0.0;
                    const auto expected =
                        alpha > 0.0 ? Blitted(*src, 3, 2, target, x, y, keyed == onDc, alpha) : PixelsOf(target);
                    EXPECT_EQ(result, onDc ? src->DrawBlend(canvas->GetDC(), x, y, alpha)
                                           : src->BlendTo(dest.get(), x, y, alpha));
                    EXPECT_EQ(expected, PixelsOf(target));
                }
            }
        }
        EXPECT_FALSE(src->BlendTo(nullptr, 0, 0, 0.5));
        // GDI's answers are not examined: no DC, a stale one or another object's handle.
        HDC stale = CDibSectionImage().GetDC();
        for (HDC dc : {HDC{}, stale, reinterpret_cast<HDC>(canvas->GetBitmap())}) {
            EXPECT_TRUE(src->Draw(dc, 1, 1) && src->Draw(dc, 1, 1, 2, 1) && src->DrawBlend(dc, 1, 1, 0.5) &&
                        !src->DrawBlend(dc, 1, 1, 0.0));
        }
        EXPECT_EQ(source, StateOf(*src));
    }
}

}  // namespace
