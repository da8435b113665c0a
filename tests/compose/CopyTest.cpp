// CopyFrom, both overloads, CreateFromBitmap and CreateSubImage.
#include <functional>

#include "support/BmpFiles.h"

namespace {

using namespace zvx::test;

ZVX_IMAGE_TEST_SUITE(CopyTest);

TYPED_TEST(CopyTest, CopiesTakeSizeKeyAndColoursOrWordsAndRefusalsChangeNothing)
{
    auto src = Make<Other<TypeParam>>(3, 2);
    Paint(*src, Pattern);
    src->SetColorKey(0x00FF00);
    auto colours = Make<CMemoryImage>(3, 2);
    Paint(*colours, PatternColour);
    colours->SetColorKey(0x00FF00);
    const std::string words = StateOf(*src);
    CMemoryImage empty(0, 0);
    const IImage *nothing = nullptr, *image = src.get(), *emptyImage = &empty;
    const IPixelBuffer *noRows = nullptr, *rows = src.get(), *emptyRows = &empty;
    auto dib = Make<CDibSectionImage>(3, 2);  // its colours, and the key the image keeps
    Paint(*dib, PatternColour);
    dib->SetColorKey(4);
    const HBITMAP stale = CDibSectionImage().GetBitmap(), pen = reinterpret_cast<HBITMAP>(::CreatePen(PS_SOLID, 1, 0));
    const std::string file = PatternFile(), dibState = StateOf(*dib);  // dib's colours
    const bool dibSelf = kIsDib<TypeParam>;  // the two classes answer a copy of themselves differently
    const struct {
        const char* what;
        std::function<bool(TypeParam&)> copy;
        bool result;
        std::string after;  // empty: the image as it was, not even re-created
    } cases[] = {
        {"image", [&](auto& d) { return d.CopyFrom(image); }, true, StateOf(*colours)},
        {"rows", [&](auto& d) { return d.CopyFrom(rows); }, true, words},
        {"a file", [&](auto& d) { return d.LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE); }, true, dibState},
        {"null image", [&](auto& d) { return d.CopyFrom(nothing); }, false, ""},
        {"null rows", [&](auto& d) { return d.CopyFrom(noRows); }, false, ""},
        {"empty image", [&](auto& d) { return d.CopyFrom(emptyImage); }, false, ""},
        {"empty rows", [&](auto& d) { return d.CopyFrom(emptyRows); }, false, ""},
        {"itself", [](auto& d) { return d.CopyFrom(static_cast<const IImage*>(&d)); }, dibSelf, ""},
        {"its rows", [](auto& d) { return d.CopyFrom(static_cast<const IPixelBuffer*>(&d)); }, dibSelf, ""},
        {"a DIB section's bitmap", [&](auto& d) { return d.CreateFromBitmap(dib->GetBitmap()); }, true, dibState},
        {"no bitmap", [](auto& d) { return d.CreateFromBitmap(nullptr); }, false, ""},
        {"a deleted bitmap", [&](auto& d) { return d.CreateFromBitmap(stale); }, false, ""},
        {"a DC", [&](auto& d) { return d.CreateFromBitmap(reinterpret_cast<HBITMAP>(dib->GetDC())); }, false, ""},
        {"a pen", [&](auto& d) { return d.CreateFromBitmap(pen); }, false, ""},
    };
    for (const auto& c : cases) {
        auto dest = Make<TypeParam>(3, 2, 0x55);  // the sources' size: the storage may be kept
        dest->SetColorKey(4);
        // On a DIB section, leaves a clip region.
        if constexpr (kIsDib<TypeParam>) CMemoryImage(1, 1).DrawTiled(dest->GetDC(), 0, 0, 1, 1);
        const std::string before = StateOf(*dest);
        const Pixel* storage = dest->GetScanLine(0);
        EXPECT_EQ(c.result, c.copy(*dest)) << c.what;
        EXPECT_EQ(c.after.empty() ? before : c.after, StateOf(*dest)) << c.what;
        EXPECT_TRUE(!c.after.empty() || storage == dest->GetScanLine(0)) << c.what;
        if constexpr (kIsDib<TypeParam>) {  // a re-created image draws on a fresh DC, without that clip
            const bool drawn = Make<CDibSectionImage>(3, 2, 0xFFFFFF)->BltTo(static_cast<IDibImage*>(dest.get()), 0, 0);
            EXPECT_TRUE(c.after.empty() || (drawn && dest->GetPixel(2, 1) == 0xFFFFFF)) << c.what;
        }
    }
    EXPECT_EQ(words, StateOf(*src)) << "the source is left alone";
    ::DeleteObject(pen);
}

TYPED_TEST(CopyTest, SubImageIsAKeylessHeapImageOfTheRectanglesColoursAndZeroBeyond)
{
    auto image = Make<TypeParam>(4, 3);
    Paint(*image, Pattern);
    image->SetColorKey(Pattern(0, 0) & 0xFFFFFF);
    const struct {
        int x, y, w, h;
    } made[] = {{0, 0, 4, 3},      {1, 2, 2, 1}, {3, 1, 2, 3}, {3, 0, 2, 1}, {INT_MAX - 1, INT_MAX, 3, 2},
                {INT_MAX, 2, 2, 2}};
    for (const auto& m : made) {
        SCOPED_TRACE(::testing::Message() << m.x << "," << m.y << " " << m.w << "x" << m.h);
        std::unique_ptr<IImage> sub(image->CreateSubImage(m.x, m.y, m.w, m.h));
        ASSERT_NE(nullptr, dynamic_cast<CMemoryImage*>(sub.get()));
        EXPECT_EQ(COLORKEY_NONE, sub->GetColorKey());
        EXPECT_EQ(std::make_pair(m.w, m.h), std::make_pair(sub->GetWidth(), sub->GetHeight()));
        const auto colour = [&](long long i, long long j, Pixel) -> std::optional<Pixel> {
            const long long x = m.x + i, y = m.y + j;
            return x <= INT_MAX && y <= INT_MAX ? image->GetColor(static_cast<int>(x), static_cast<int>(y)) : 0;
        };
        EXPECT_EQ(Over(*sub, colour), PixelsOf(*sub));
    }
    const std::string before = StateOf(*image);
    for (const int at : {-1, INT_MIN}) {
        EXPECT_EQ(nullptr, image->CreateSubImage(at, 0, 1, 1));
        EXPECT_EQ(nullptr, image->CreateSubImage(0, at, 1, 1));
    }
    for (const auto& [w, h] : kBadSizes) {
        std::unique_ptr<IImage> sub(image->CreateSubImage(0, 0, w, h));
        EXPECT_EQ(nullptr, sub) << w << " x " << h;
    }
    EXPECT_EQ(before, StateOf(*image));
}

}  // namespace
