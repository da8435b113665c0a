// Every BltTo overload, and Draw onto a DIB section's DC, at and beyond every edge of its
// destination, with and without a key, and onto nothing: each leaves what the blit oracle says.
#include <cstring>

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

}  // namespace
