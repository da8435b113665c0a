// Every fast path (image/FastPaths.h) against its general twin, under every variant of the row
// kernels the processor has: the same operation on plain images and on images of a derived class
// that overrides nothing (so it always takes the general path) must leave the same words. Also
// images blitted and blended onto themselves in every direction, the storage a same-size load or
// copy keeps, and copies large enough to go around the cache.
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "image/RowKernels.h"

namespace {

using zvx::RowSimd;

// The same class under another dynamic type: every operation takes the general path. Counts its
// Create calls.
template <class T>
class General : public T {
public:
    template <class... Size>
    explicit General(Size... size) : T(size...) {}
    bool Create(int width, int height, Pixel fill) override
    {
        ++creates;
        return T::Create(width, height, fill);
    }
    int creates = 0;
};

template <class T>
std::unique_ptr<T> New(int width, int height)
{
    std::unique_ptr<T> image;
    if constexpr (std::is_base_of_v<CMemoryImage, T>) {
        image = std::make_unique<T>(width, height);
    } else {
        image = std::make_unique<T>();
        image->Create(width, height, 0);
    }
    return image;
}

// Both images of a pair hold the same words.
std::vector<Pixel> WordsOf(const IImage& image)
{
    std::vector<Pixel> words;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) words.push_back(image.GetPixel(x, y));
    }
    return words;
}

// A 24-bit bottom-up .bmp file image of width x height random pixels.
std::vector<BYTE> BmpFile(int width, int height, std::mt19937& random)
{
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<BYTE> file(54 + stride * height, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) file[at + k] = static_cast<BYTE>(v >> (8 * k));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (std::size_t i = 54; i < file.size(); ++i) file[i] = static_cast<BYTE>(random());
    return file;
}

template <class Pair>
class FastPathVariantsTest : public ::testing::Test {
protected:
    using S = typename Pair::first_type;
    using D = typename Pair::second_type;

    void TearDown() override { zvx::UseRowSimd(zvx::BestRowSimd()); }

    template <class Body>
    void ForEachVariant(Body body)
    {
        for (const RowSimd simd : {RowSimd::Scalar, RowSimd::Sse2, RowSimd::Avx2, RowSimd::Avx512}) {
            if (zvx::UseRowSimd(simd) != simd) continue;
            SCOPED_TRACE(::testing::Message() << "variant " << static_cast<int>(simd));
            body();
            if (this->HasFatalFailure()) return;
        }
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // The words, row by row, into image.
    void Fill(IImage& image, const std::vector<Pixel>& words)
    {
        int n = 0;
        for (int y = 0; y < image.GetHeight(); ++y) {
            for (int x = 0; x < image.GetWidth(); ++x) image.SetPixel(x, y, words[n++]);
        }
    }

    // count random words; about a third show key (with or without a top byte) unless it is
    // 0xFFFFFFFF.
    std::vector<Pixel> Words(int count, Pixel key)
    {
        std::vector<Pixel> words(count);
        for (Pixel& w : words) {
            w = static_cast<Pixel>(random());
            if (key != 0xFFFFFFFFu && Between(0, 2) == 0) w = key | (Between(0, 1) ? 0x5A000000u : 0u);
        }
        return words;
    }

    std::mt19937 random{1414};
};

using ClassPairs = ::testing::Types<std::pair<CMemoryImage, CMemoryImage>, std::pair<CMemoryImage, CDibSectionImage>,
                                    std::pair<CDibSectionImage, CMemoryImage>,
                                    std::pair<CDibSectionImage, CDibSectionImage>>;
TYPED_TEST_SUITE(FastPathVariantsTest, ClassPairs);

// The two-image operations, each run on a plain pair and on a general pair made from the same
// words; both destinations and the results must agree.
TYPED_TEST(FastPathVariantsTest, TwoImageOperationsEqualTheGeneralPath)
{
    using S = typename TestFixture::S;
    using D = typename TestFixture::D;
    this->ForEachVariant([&] {
        for (int round = 0; round < 24; ++round) {
            const int sw = this->Between(1, 45);
            const int sh = this->Between(1, 20);
            const bool sameSize = round % 4 == 0;
            const int dw = sameSize ? sw : this->Between(1, 50);
            const int dh = sameSize ? sh : this->Between(1, 24);
            const bool keyed = round % 2 == 1;
            const Pixel key = keyed ? static_cast<Pixel>(this->random()) & 0x00FFFFFFu : 0xFFFFFFFFu;
            const std::vector<Pixel> sourceWords = this->Words(sw * sh, key);
            const std::vector<Pixel> destWords = this->Words(dw * dh, 0xFFFFFFFFu);
            const int x = this->Between(-sw, dw);
            const int y = this->Between(-sh, dh);
            const int pw = this->Between(1, sw + 2);
            const int ph = this->Between(1, sh + 2);
            const double alpha = round % 3 == 0 ? 0.7 : this->Between(1, 999) / 1000.0;
            SCOPED_TRACE(::testing::Message() << "round " << round << ": " << sw << "x" << sh << " onto " << dw << "x"
                                              << dh << " at " << x << "," << y << (keyed ? " keyed" : ""));

            using Op = bool (*)(IImage&, IImage&, int, int, int, int, double);
            const Op ops[] = {
                [](IImage& s, IImage& d, int x, int y, int, int, double a) { return s.BlendTo(&d, x, y, a); },
                [](IImage& s, IImage& d, int x, int y, int, int, double) { return s.BltTo(&d, x, y); },
                [](IImage& s, IImage& d, int x, int y, int w, int h, double) { return s.BltTo(&d, x, y, w, h); },
                [](IImage& s, IImage& d, int x, int y, int, int, double) {
                    return s.BltTo(dynamic_cast<IPixelBuffer*>(&d), x, y);
                },
                [](IImage& s, IImage& d, int x, int y, int, int, double) {
                    auto* dib = dynamic_cast<IDibImage*>(&d);
                    return dib != nullptr && s.GetColorKey() != COLORKEY_NONE ? s.BltTo(dib, x, y) : true;
                },
                [](IImage& s, IImage& d, int, int, int, int, double) { return d.CopyFrom(static_cast<const IImage*>(&s)); },
                [](IImage& s, IImage& d, int, int, int, int, double) {
                    const auto* from = dynamic_cast<const IPixelBuffer*>(&s);
                    auto* to = dynamic_cast<IPixelBuffer*>(&d);
                    return from != nullptr && to != nullptr && to->CopyFrom(from);
                },
                [](IImage& s, IImage& d, int x, int y, int w, int h, double) {
                    std::unique_ptr<IImage> sub(s.CreateSubImage(x < 0 ? -x : x, y < 0 ? -y : y, w, h));
                    return sub != nullptr && d.CopyFrom(static_cast<const IImage*>(sub.get()));
                },
            };
            int opIndex = 0;
            for (const Op op : ops) {
                SCOPED_TRACE(::testing::Message() << "operation " << opIndex++);
                auto plainSource = New<S>(sw, sh);
                auto plainDest = New<D>(dw, dh);
                auto generalSource = New<General<S>>(sw, sh);
                auto generalDest = New<General<D>>(dw, dh);
                for (IImage* image : {static_cast<IImage*>(plainSource.get()), static_cast<IImage*>(generalSource.get())}) {
                    this->Fill(*image, sourceWords);
                    image->SetColorKey(keyed ? static_cast<ColorKey>(key) : COLORKEY_NONE);
                }
                this->Fill(*plainDest, destWords);
                this->Fill(*generalDest, destWords);
                const bool fast = op(*plainSource, *plainDest, x, y, pw, ph, alpha);
                const bool general = op(*generalSource, *generalDest, x, y, pw, ph, alpha);
                ASSERT_EQ(general, fast);
                ASSERT_EQ(WordsOf(*generalDest), WordsOf(*plainDest));
                ASSERT_EQ(generalDest->GetColorKey(), plainDest->GetColorKey());
                ASSERT_EQ(WordsOf(*generalSource), WordsOf(*plainSource));
            }
        }
    });
}

// Rows of 24-bit pixels and whole .bmp files, into images of the same size and of another.
TYPED_TEST(FastPathVariantsTest, RowsAndFilesEqualTheGeneralPath)
{
    using D = typename TestFixture::D;
    this->ForEachVariant([&] {
        for (int round = 0; round < 10; ++round) {
            const int w = this->Between(1, 50);
            const int h = this->Between(1, 12);
            const std::vector<BYTE> file = BmpFile(w, h, this->random);
            const int iw = round % 2 == 0 ? w : this->Between(1, 50);
            const int ih = round % 2 == 0 ? h : this->Between(1, 12);
            const std::vector<Pixel> before = this->Words(iw * ih, 0xFFFFFFFFu);
            auto plain = New<D>(iw, ih);
            auto general = New<General<D>>(iw, ih);
            this->Fill(*plain, before);
            this->Fill(*general, before);
            const int bx = this->Between(-w, iw);
            const int by = this->Between(-h, ih);
            const BYTE* rows = file.data() + 54;
            ASSERT_EQ(general->SetRows24(bx, by, w, h, rows), plain->SetRows24(bx, by, w, h, rows));
            ASSERT_EQ(WordsOf(*general), WordsOf(*plain));
            ASSERT_TRUE(plain->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
            ASSERT_TRUE(general->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
            ASSERT_EQ(WordsOf(*general), WordsOf(*plain));
        }
    });
}

// An image blitted or blended onto itself, shifted every way, gives what the general path gives:
// the result of working from an untouched copy.
TYPED_TEST(FastPathVariantsTest, OntoItselfInEveryDirection)
{
    using S = typename TestFixture::S;
    this->ForEachVariant([&] {
        const int w = 21;
        const int h = 9;
        for (const bool keyed : {false, true}) {
            const Pixel key = 0x00123456u;
            const std::vector<Pixel> words = this->Words(w * h, keyed ? key : 0xFFFFFFFFu);
            for (int dy = -3; dy <= 3; ++dy) {
                for (const int dx : {-w, -10, -1, 0, 1, 7, w - 1}) {
                    for (int op = 0; op < 4; ++op) {
                        SCOPED_TRACE(::testing::Message() << "moved by " << dx << "," << dy << ", operation " << op
                                                          << (keyed ? ", keyed" : ""));
                        auto plain = New<S>(w, h);
                        auto general = New<General<S>>(w, h);
                        for (IImage* image : {static_cast<IImage*>(plain.get()), static_cast<IImage*>(general.get())}) {
                            this->Fill(*image, words);
                            image->SetColorKey(keyed ? static_cast<ColorKey>(key) : COLORKEY_NONE);
                        }
                        const auto run = [&](auto& image) {
                            switch (op) {
                            case 0: return image.BltTo(static_cast<IImage*>(&image), dx, dy);
                            case 1: return image.BltTo(static_cast<IImage*>(&image), dx, dy, w - 2, h);
                            case 2: return image.BltTo(static_cast<IPixelBuffer*>(&image), dx, dy);
                            default: return image.BlendTo(&image, dx, dy, 0.3);
                            }
                        };
                        ASSERT_EQ(run(*general), run(*plain));
                        ASSERT_EQ(WordsOf(*general), WordsOf(*plain));
                    }
                }
            }
        }
    });
}

// A load or copy into a plain image of the same size keeps its storage (a DIB-section image its
// section and DC); a derived image still gets its Create call.
TYPED_TEST(FastPathVariantsTest, SameSizeKeepsThePlainImagesStorage)
{
    using D = typename TestFixture::D;
    const std::vector<BYTE> file = BmpFile(19, 7, this->random);
    auto source = New<CMemoryImage>(19, 7);
    this->Fill(*source, this->Words(19 * 7, 0xFFFFFFFFu));

    auto plain = New<D>(19, 7);
    const Pixel* rows = plain->GetScanLine(0);
    HBITMAP section = nullptr;
    if constexpr (std::is_same_v<D, CDibSectionImage>) {
        section = plain->GetBitmap();
    }
    ASSERT_TRUE(plain->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
    ASSERT_TRUE(plain->CopyFrom(static_cast<const IImage*>(source.get())));
    ASSERT_TRUE(plain->CopyFrom(static_cast<const IPixelBuffer*>(source.get())));
    EXPECT_EQ(rows, plain->GetScanLine(0));
    if constexpr (std::is_same_v<D, CDibSectionImage>) {
        EXPECT_EQ(section, plain->GetBitmap());
    }
    EXPECT_EQ(WordsOf(*source), WordsOf(*plain));

    auto general = New<General<D>>(19, 7);
    general->creates = 0;
    ASSERT_TRUE(general->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
    ASSERT_TRUE(general->CopyFrom(static_cast<const IImage*>(source.get())));
    ASSERT_TRUE(general->CopyFrom(static_cast<const IPixelBuffer*>(source.get())));
    EXPECT_EQ(3, general->creates);

    // An empty source still fails to copy, as its Create would.
    auto empty = New<CMemoryImage>(0, 0);
    auto emptyTarget = New<D>(1, 1);
    ASSERT_TRUE(emptyTarget->Create(1, 1, 0));
    EXPECT_FALSE(emptyTarget->CopyFrom(static_cast<const IImage*>(empty.get())));
}

// The kernels do not depend on the classes: one pair of them is enough for the large copies.
using LargeCopyTest = FastPathVariantsTest<std::pair<CMemoryImage, CDibSectionImage>>;

// Copies and loads that write more than the cache holds take streaming stores in every variant.
TEST_F(LargeCopyTest, CopiesLargerThanTheCache)
{
    using S = CMemoryImage;
    using D = CDibSectionImage;
    int w = 2048;
    int h = 256;
    while (!zvx::IsLargerThanCache(static_cast<std::size_t>(w) * h * sizeof(Pixel))) h *= 2;
    h += 3;
    auto source = New<S>(w, h);
    std::vector<Pixel> words(static_cast<std::size_t>(w) * h);
    for (Pixel& p : words) p = static_cast<Pixel>(random());
    std::memcpy(source->GetScanLine(0), words.data(), words.size() * sizeof(Pixel));
    std::vector<Pixel> colors = words;
    for (Pixel& p : colors) p &= 0x00FFFFFFu;
    const std::vector<BYTE> file = BmpFile(w - 1, h, random);

    auto dest = New<D>(w, h);
    ForEachVariant([&] {
        ASSERT_TRUE(dest->CopyFrom(static_cast<const IPixelBuffer*>(source.get())));
        ASSERT_EQ(0, std::memcmp(words.data(), dest->GetScanLine(0), words.size() * sizeof(Pixel)));
        ASSERT_TRUE(dest->CopyFrom(static_cast<const IImage*>(source.get())));
        ASSERT_EQ(0, std::memcmp(colors.data(), dest->GetScanLine(0), colors.size() * sizeof(Pixel)));
        ASSERT_TRUE(dest->LoadFromMemory(file.data(), IMAGE_FORMAT_BMPFILE));
        const std::size_t stride = (static_cast<std::size_t>(w - 1) * 3 + 3) & ~std::size_t{3};
        for (const int y : {0, h / 2, h - 1}) {
            const BYTE* row = file.data() + 54 + stride * (h - 1 - y);
            for (const int x : {0, 1, w / 3, w - 2}) {
                const Pixel expected = row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
                ASSERT_EQ(expected, dest->GetPixel(x, y)) << x << "," << y;
            }
        }
        ASSERT_TRUE(dest->Create(w, h, 0));  // the next variant's copies start from new storage
    });
}

}  // namespace
