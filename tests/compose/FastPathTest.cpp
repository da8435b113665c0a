// Every fast path against its general twin (a derived class that overrides nothing), under every
// variant of the row kernels: the same answer and the same words in both.
#include <random>

#include "support/BmpFiles.h"

namespace {

using namespace zvx::test;

// s onto d at (x, y); w x h is the part, the sub-image and the 24-bit file's size.
using Op = bool (*)(IImage& s, IImage& d, int x, int y, int w, int h, const std::string& file);
const Op kOps[] = {
    // An odd width blends at 0.7 twice in a row (here and in the self-blend): then through the kept table.
    [](IImage& s, IImage& d, int x, int y, int w, int, const std::string&) {
        return s.BlendTo(&d, x, y, w % 2 ? 0.7 : (w * 37 % 999 + 1) / 1000.0);
    },
    [](IImage& s, IImage& d, int x, int y, int, int, const std::string&) { return s.BltTo(&d, x, y); },
    [](IImage& s, IImage& d, int x, int y, int w, int h, const std::string&) { return s.BltTo(&d, x, y, w, h); },
    [](IImage& s, IImage& d, int x, int y, int, int, const std::string&) {
        return s.BltTo(dynamic_cast<IPixelBuffer*>(&d), x, y);
    },
    [](IImage& s, IImage& d, int x, int y, int, int, const std::string&) {
        return s.BltTo(dynamic_cast<IDibImage*>(&d), x, y);
    },
    [](IImage& s, IImage& d, int, int, int, int, const std::string&) {
        return d.CopyFrom(static_cast<const IImage*>(&s));
    },
    [](IImage& s, IImage& d, int, int, int, int, const std::string&) {
        return dynamic_cast<IPixelBuffer&>(d).CopyFrom(dynamic_cast<const IPixelBuffer*>(&s));
    },
    [](IImage& s, IImage& d, int x, int y, int w, int h, const std::string&) {
        std::unique_ptr<IImage> sub(s.CreateSubImage(std::abs(x), std::abs(y), w, h));
        return sub != nullptr && d.CopyFrom(static_cast<const IImage*>(sub.get()));
    },
    [](IImage&, IImage& d, int x, int y, int w, int h, const std::string& f) {
        return d.SetRows24(x, y, w, h, reinterpret_cast<const BYTE*>(f.data()) + 54);
    },
    [](IImage&, IImage& d, int, int, int, int, const std::string& f) {
        return d.LoadFromMemory(f.data(), IMAGE_FORMAT_BMPFILE);
    },
    [](IImage&, IImage& d, int x, int y, int w, int h, const std::string&) {
        return d.DrawLine(x, y, x + w * (y % 3), y + h - 1, 0xFF123456);
    },
    [](IImage& s, IImage&, int x, int y, int, int, const std::string&) { return s.BltTo(&s, x % 5, y % 4); },
    [](IImage& s, IImage&, int x, int y, int w, int h, const std::string&) { return s.BltTo(&s, x % 5, y % 4, w, h); },
    [](IImage& s, IImage&, int x, int y, int, int, const std::string&) {
        return s.BltTo(dynamic_cast<IPixelBuffer*>(&s), x % 5, y % 4);
    },
    [](IImage& s, IImage&, int x, int y, int w, int, const std::string&) {
        return s.BlendTo(&s, x % 5, y % 4, w % 2 ? 0.7 : w / 50.0);
    },
    [](IImage&, IImage& d, int x, int y, int w, int h, const std::string&) {
        return d.FillRect(x, y, y % 2 ? x - w : x + w, x % 2 ? y - h : y + h, 0xFF123456);
    },
    [](IImage&, IImage& d, int x, int y, int w, int h,
       const std::string&) {  // whole rows; on a DIB section, a clip region in its DC
        HRGN clip = ::CreateRectRgn(x, y - h, x + w, y + 2 * h);
        if (auto* gdi = dynamic_cast<IGdiImage*>(&d); gdi != nullptr && y % 2 != 0) ::SelectClipRgn(gdi->GetDC(), clip);
        ::DeleteObject(clip);
        return d.FillRect(x % 2 - 1, y - h, d.GetWidth() + x % 3 - 1, y + h, 0x89ABCD);
    },
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
            for (std::size_t n = 0; n < std::size(kOps); ++n) {
                SCOPED_TRACE(::testing::Message() << "operation " << n << ", round " << round);
                const Op op = kOps[n];
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
                ASSERT_EQ(op(*gsrc, *gdest, x, y, w, h, file), op(*src, *dest, x, y, w, h, file));
                ASSERT_EQ(StateOf(*gdest), StateOf(*dest));
                ASSERT_EQ(StateOf(*gsrc), StateOf(*src));
            }
        }
    });
}

}  // namespace
