// Every fast path against its general twin (a derived class that overrides nothing), under every
// variant of the row kernels: the same answer and the same words in both.
#include <random>

#include "support/BmpFiles.h"

namespace {

using namespace zvx::test;

// s onto d at (x, y); w x h is the part, the sub-image and the 24-bit file's size.
struct At {
    IImage &s, &d;
    int x, y, w, h;
    const std::string& file;
    const BYTE* rows() const { return reinterpret_cast<const BYTE*>(file.data()) + 54; }
};
const struct {
    const char* name;
    bool (*op)(const At& a);
} kOps[] = {
    // An odd width blends at 0.7 twice in a row (here and in the self-blend): then through the kept table.
    {"BlendTo", [](auto& a) { return a.s.BlendTo(&a.d, a.x, a.y, a.w % 2 ? 0.7 : (a.w * 37 % 999 + 1) / 1e3); }},
    {"BltTo", [](auto& a) { return a.s.BltTo(&a.d, a.x, a.y); }},
    {"BltTo sized", [](auto& a) { return a.s.BltTo(&a.d, a.x, a.y, a.w, a.h); }},
    {"BltTo(IPixelBuffer)", [](auto& a) { return a.s.BltTo(As<IPixelBuffer>(&a.d), a.x, a.y); }},
    {"BltTo(IDibImage)", [](auto& a) { return a.s.BltTo(As<IDibImage>(&a.d), a.x, a.y); }},
    {"CopyFrom(IImage)", [](auto& a) { return a.d.CopyFrom(static_cast<const IImage*>(&a.s)); }},
    {"CopyFrom(IPixelBuffer)", [](auto& a) { return As<IPixelBuffer>(&a.d)->CopyFrom(As<IPixelBuffer>(&a.s)); }},
    {"CreateSubImage",
     [](auto& a) {
         std::unique_ptr<IImage> sub(a.s.CreateSubImage(std::abs(a.x), std::abs(a.y), a.w, a.h));
         return sub != nullptr && a.d.CopyFrom(static_cast<const IImage*>(sub.get()));
     }},
    {"SetRows24", [](auto& a) { return a.d.SetRows24(a.x, a.y, a.w, a.h, a.rows()); }},
    {"LoadFromMemory", [](auto& a) { return a.d.LoadFromMemory(a.file.data(), IMAGE_FORMAT_BMPFILE); }},
    {"DrawLine", [](auto& a) { return a.d.DrawLine(a.x, a.y, a.x + a.w * (a.y % 3), a.y + a.h - 1, 0xFF123456); }},
    {"BltTo itself", [](auto& a) { return a.s.BltTo(&a.s, a.x % 5, a.y % 4); }},
    {"BltTo itself sized", [](auto& a) { return a.s.BltTo(&a.s, a.x % 5, a.y % 4, a.w, a.h); }},
    {"BltTo(IPixelBuffer) itself", [](auto& a) { return a.s.BltTo(As<IPixelBuffer>(&a.s), a.x % 5, a.y % 4); }},
    {"BlendTo itself", [](auto& a) { return a.s.BlendTo(&a.s, a.x % 5, a.y % 4, a.w % 2 ? 0.7 : a.w / 50.0); }},
    {"FillRect",
     [](auto& a) {
         return a.d.FillRect(a.x, a.y, a.y % 2 ? a.x - a.w : a.x + a.w, a.x % 2 ? a.y - a.h : a.y + a.h, 0xFF123456);
     }},
    {"FillRect whole rows",
     [](auto& a) {  // on a DIB section, a clip region in its DC
         HRGN clip = ::CreateRectRgn(a.x, a.y - a.h, a.x + a.w, a.y + 2 * a.h);
         if (auto* gdi = As<IGdiImage>(&a.d); gdi != nullptr && a.y % 2 != 0) ::SelectClipRgn(gdi->GetDC(), clip);
         ::DeleteObject(clip);
         return a.d.FillRect(a.x % 2 - 1, a.y - a.h, a.d.GetWidth() + a.x % 3 - 1, a.y + a.h, 0x89ABCD);
     }},
};

template <class T>
class FastPathTest : public ::testing::Test {};
using PlainClasses = ::testing::Types<CMemoryImage, CDibSectionImage>;
TYPED_TEST_SUITE(FastPathTest, PlainClasses);

TYPED_TEST(FastPathTest, EveryOperationGivesWhatTheGeneralPathGives)
{
    std::mt19937 random(1414);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    ForEachRowSimd([&] {
        for (int round = 0; round < 24; ++round) {
            // Every third round the destination has the source's width, and its height or one more,
            // and the part and the file are the whole source.
            const int sw = between(1, 45), sh = between(1, 20);
            const int dw = round % 3 == 0 ? sw : between(1, 50), dh = round % 3 == 0 ? sh + round % 2 : between(1, 24);
            const int x = between(-sw, dw), y = between(-sh, dh);
            const int w = round % 3 == 0 ? sw : between(1, sw + 2), h = round % 3 == 0 ? sh : between(1, sh + 2);
            const bool keyed = round % 2 == 1;
            const Pixel key = keyed ? random() & 0xFFFFFF : 0;
            std::vector<Pixel> words(sw * sh + dw * dh);
            for (Pixel& p : words)
                p = keyed && random() % 3 == 0 ? key | (random() % 2) << 31 : static_cast<Pixel>(random());
            const std::string file = BmpFile(w, h, [&](int, int) { return random(); });
            for (const auto& [name, op] : kOps) {
                SCOPED_TRACE(::testing::Message() << name << ", round " << round);
                // One declaration each: clang refuses one auto deducing two types.
                auto src = Make<TypeParam>(sw, sh);
                auto gsrc = Make<General<TypeParam>>(sw, sh);
                auto dest = Make<Other<TypeParam>>(dw, dh);
                auto gdest = Make<General<Other<TypeParam>>>(dw, dh);
                for (IImage* image : {static_cast<IImage*>(src.get()), static_cast<IImage*>(gsrc.get())}) {
                    Paint(*image, [&](int i, int j) { return words[j * sw + i]; });
                    image->SetColorKey(keyed ? static_cast<ColorKey>(key) : COLORKEY_NONE);
                }
                Paint(*dest, [&](int i, int j) { return words[sw * sh + j * dw + i]; });
                Paint(*gdest, [&](int i, int j) { return words[sw * sh + j * dw + i]; });
                ASSERT_EQ(op({*gsrc, *gdest, x, y, w, h, file}), op({*src, *dest, x, y, w, h, file}));
                ASSERT_EQ(StateOf(*gdest), StateOf(*dest));
                ASSERT_EQ(StateOf(*gsrc), StateOf(*src));
            }
        }
    });
}

}  // namespace
