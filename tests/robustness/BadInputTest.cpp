// Every public operation given what a careless or hostile caller might pass: null pointers,
// positions and sizes at the ends of the int range, sizes whose products overflow, NaN and
// infinite opacities and factors, stale and foreign GDI handles, empty images, broken files.
// Each gives its failure result (or its clipped result) and leaves alone what it must; the
// sanitizer and valgrind runs of this suite show that none of it reads or writes astray.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"
#include "support/TestData.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::PixelsOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Everything a refused operation must leave as it was.
struct State {
    int width;
    int height;
    ColorKey key;
    std::vector<Pixel> pixels;
    explicit State(const IImage& image)
        : width(image.GetWidth()), height(image.GetHeight()), key(image.GetColorKey()), pixels(PixelsOf(image))
    {
    }
    bool operator==(const State& o) const
    {
        return width == o.width && height == o.height && key == o.key && pixels == o.pixels;
    }
};

// A pair of positions or sizes, for the tables below.
struct Pair {
    int a;
    int b;
};

// Sizes no image can have: empty, negative (alone or in pairs whose product is positive), and
// pairs whose product or byte count overflows 32 bits (65536 x 65536 wraps to 0).
const Pair kBadSizes[] = {{0, 5},         {5, 0},           {-1, -1},        {-2, 3},       {INT_MIN, -1},
                          {-1, INT_MIN},  {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {65536, 65536}, {46341, 46341},
                          {1, INT_MAX},   {INT_MAX, 1},     {32768, 32768},  {1 << 30, 1}};

// Positions at which a small image touches nothing of a small destination.
const Pair kFarPositions[] = {{INT_MIN, 0}, {0, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};

std::string WriteFile(const std::string& stem, const std::string& bytes)
{
    const std::string path = zvx::test::ScratchPath(stem);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void Put32(std::string& s, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A valid 24-bit bottom-up .bmp of width x height, every pixel 0x102030.
std::string Bmp(int width, int height)
{
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::string s(54 + stride * static_cast<std::size_t>(height), '\0');
    s[0] = 'B';
    s[1] = 'M';
    Put32(s, 2, static_cast<std::uint32_t>(s.size()));
    Put32(s, 10, 54);
    Put32(s, 14, 40);
    Put32(s, 18, static_cast<std::uint32_t>(width));
    Put32(s, 22, static_cast<std::uint32_t>(height));
    s[26] = 1;
    s[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) s.replace(54 + y * stride + 3 * x, 3, "\x30\x20\x10");
    }
    return s;
}

template <class T>
class BadInput : public ::testing::Test {
protected:
    // A 5 x 4 image with a pattern and a key that matches none of it.
    std::unique_ptr<T> Subject()
    {
        auto image = MakeTestImage<T>(5, 4);
        PaintPattern(*image);
        image->SetColorKey(0x123456);
        return image;
    }
};
TYPED_TEST_SUITE(BadInput, zvx::test::ImageClasses);

TYPED_TEST(BadInput, CreateRefusesEverySizeThatIsEmptyOrOverflows)
{
    auto image = this->Subject();
    const State before(*image);
    for (const Pair& size : kBadSizes) {
        EXPECT_FALSE(image->Create(size.a, size.b, 0x11)) << size.a << " x " << size.b;
        EXPECT_FALSE(image->Create(size.a, size.b, 0)) << size.a << " x " << size.b;
    }
    EXPECT_TRUE(State(*image) == before);
    EXPECT_NE(nullptr, image->GetScanLine(3));
}

TYPED_TEST(BadInput, ReadsAndWritesAtTheEndsOfTheIntRangeAreOutside)
{
    auto image = this->Subject();
    const State before(*image);
    for (const int a : {INT_MIN, -1, 5, INT_MAX}) {
        for (const int b : {INT_MIN, 0, INT_MAX}) {
            const int coordinates[2][2] = {{a, b}, {b, a}};
            for (const auto& c : coordinates) {
                const int x = c[0];
                const int y = c[1];
                if (x >= 0 && x < 5 && y >= 0 && y < 4) continue;
                EXPECT_EQ(0u, image->GetPixel(x, y) | image->GetColor(x, y) | image->GetColorRef(x, y));
                EXPECT_EQ(0, image->GetRed(x, y) | image->GetGreen(x, y) | image->GetBlue(x, y));
                EXPECT_FALSE(image->IsKeyColor(x, y));
                EXPECT_FALSE(image->SetPixel(x, y, 1) || image->SetColor(x, y, 1));
                EXPECT_FALSE(image->SetRed(x, y, 1) || image->SetGreen(x, y, 1) || image->SetBlue(x, y, 1));
                EXPECT_FALSE(image->AddRed(x, y, INT_MAX) || image->AddGreen(x, y, INT_MIN) || image->AddBlue(x, y, 1));
                EXPECT_FALSE(image->ScaleRed(x, y, kNaN) || image->ScaleGreen(x, y, kInf) || image->ScaleBlue(x, y, 2));
            }
        }
    }
    for (const int y : {INT_MIN, -1, 4, INT_MAX}) {
        EXPECT_EQ(nullptr, image->GetScanLine(y));
        EXPECT_EQ(nullptr, static_cast<const TypeParam&>(*image).GetScanLine(y));
    }
    EXPECT_TRUE(State(*image) == before);
}

TYPED_TEST(BadInput, ChannelArithmeticSaturatesWhateverTheAmount)
{
    auto image = MakeTestImage<TypeParam>(1, 1, 0xAB808080);
    EXPECT_TRUE(image->AddRed(0, 0, INT_MAX));
    EXPECT_TRUE(image->AddGreen(0, 0, INT_MIN));
    EXPECT_TRUE(image->SetBlue(0, 0, INT_MIN));
    EXPECT_EQ(0xABFF0000u, image->GetPixel(0, 0));
    // Products beyond every integer, and NaN, clamp like any other out-of-range value.
    EXPECT_TRUE(image->ScaleRed(0, 0, kNaN));
    EXPECT_TRUE(image->SetGreen(0, 0, 3));
    EXPECT_TRUE(image->ScaleGreen(0, 0, kInf));
    EXPECT_TRUE(image->SetBlue(0, 0, 3));
    EXPECT_TRUE(image->ScaleBlue(0, 0, -DBL_MAX));
    EXPECT_EQ(0xAB00FF00u, image->GetPixel(0, 0));
    EXPECT_TRUE(image->ScaleGreen(0, 0, DBL_MIN));
    EXPECT_TRUE(image->ScaleBlue(0, 0, DBL_MAX));  // 0 x DBL_MAX is 0
    EXPECT_EQ(0xAB000000u, image->GetPixel(0, 0));
}

TYPED_TEST(BadInput, BlitsRefuseNullAndFarDestinationsAndChangeNothing)
{
    auto image = this->Subject();
    auto dest = MakeTestImage<CDibSectionImage>(6, 6, 0x777777);
    const State source(*image);
    const State target(*dest);
    EXPECT_FALSE(image->BltTo(static_cast<IImage*>(nullptr), 0, 0));
    EXPECT_FALSE(image->BltTo(static_cast<IImage*>(nullptr), 0, 0, 1, 1));
    EXPECT_FALSE(image->BltTo(static_cast<IPixelBuffer*>(nullptr), 0, 0));
    EXPECT_FALSE(image->BltTo(static_cast<IGdiImage*>(nullptr), 0, 0));
    EXPECT_FALSE(image->BltTo(static_cast<IDibImage*>(nullptr), 0, 0));
    EXPECT_FALSE(image->BlendTo(nullptr, 0, 0, 0.5));
    for (const Pair& at : kFarPositions) {
        SCOPED_TRACE(::testing::Message() << at.a << ", " << at.b);
        EXPECT_FALSE(image->BltTo(static_cast<IImage*>(dest.get()), at.a, at.b));
        EXPECT_FALSE(image->BltTo(static_cast<IPixelBuffer*>(dest.get()), at.a, at.b));
        EXPECT_FALSE(image->BltTo(static_cast<IDibImage*>(dest.get()), at.a, at.b)) << "keyed: the pixel route";
        EXPECT_FALSE(image->BltTo(dest.get(), at.a, at.b, INT_MAX, INT_MAX));
        EXPECT_TRUE(image->BltTo(static_cast<IGdiImage*>(dest.get()), at.a, at.b)) << "GDI clips it all away";
        EXPECT_TRUE(image->BlendTo(dest.get(), at.a, at.b, 0.5)) << "a blend visits its source whatever the overlap";
    }
    // Sizes: below 1 refused, beyond the image limited to it.
    EXPECT_FALSE(image->BltTo(dest.get(), 0, 0, INT_MIN, 4));
    EXPECT_FALSE(image->BltTo(dest.get(), 0, 0, 5, 0));
    EXPECT_TRUE(State(*dest) == target);
    EXPECT_TRUE(State(*image) == source);

    EXPECT_TRUE(image->BltTo(dest.get(), 1, 1, INT_MAX, INT_MAX));
    EXPECT_EQ(image->GetPixel(4, 3), dest->GetPixel(5, 4)) << "the whole image, clipped at the destination";
}

TYPED_TEST(BadInput, BlendRefusesNaNAndNonPositiveOpacitiesAndTreatsHugeOnesAsABlit)
{
    auto image = this->Subject();
    auto dest = MakeTestImage<CMemoryImage>(6, 6, 0x777777);
    const State target(*dest);
    for (const double alpha : {kNaN, -kNaN, -kInf, -DBL_MAX, -0.0, 0.0}) {
        EXPECT_FALSE(image->BlendTo(dest.get(), 0, 0, alpha)) << alpha;
    }
    // The smallest opacity blends, and changes no channel: d x (1 - tiny) + s x tiny is d.
    EXPECT_TRUE(image->BlendTo(dest.get(), 0, 0, std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE(State(*dest) == target);

    for (const double alpha : {kInf, DBL_MAX}) {
        auto blitted = MakeTestImage<CMemoryImage>(6, 6, 0x777777);
        auto blended = MakeTestImage<CMemoryImage>(6, 6, 0x777777);
        EXPECT_TRUE(image->BltTo(static_cast<IImage*>(blitted.get()), 1, 2));
        EXPECT_TRUE(image->BlendTo(blended.get(), 1, 2, alpha));
        EXPECT_EQ(PixelsOf(*blitted), PixelsOf(*blended));
    }
}

TYPED_TEST(BadInput, CopiesRefuseNullAndEmptySources)
{
    auto image = this->Subject();
    const State before(*image);
    CMemoryImage empty(0, 0);
    EXPECT_FALSE(image->CopyFrom(static_cast<const IImage*>(nullptr)));
    EXPECT_FALSE(image->CopyFrom(static_cast<const IPixelBuffer*>(nullptr)));
    EXPECT_FALSE(image->CopyFrom(static_cast<const IImage*>(&empty)));
    EXPECT_FALSE(image->CopyFrom(static_cast<const IPixelBuffer*>(&empty)));
    EXPECT_TRUE(State(*image) == before);
}

TYPED_TEST(BadInput, SubImagesOfBadOrHugeRectanglesAreNotMade)
{
    auto image = this->Subject();
    const State before(*image);
    const Pair corners[] = {{-1, 0}, {0, -1}, {INT_MIN, 0}, {0, INT_MIN}};
    for (const Pair& at : corners) EXPECT_EQ(nullptr, image->CreateSubImage(at.a, at.b, 1, 1));
    for (const Pair& size : kBadSizes) {
        IImage* sub = image->CreateSubImage(0, 0, size.a, size.b);
        EXPECT_EQ(nullptr, sub) << size.a << " x " << size.b;
        delete sub;
    }
    // A rectangle at the far corner of the int range lies beyond the image: all 0.
    std::unique_ptr<IImage> beyond(image->CreateSubImage(INT_MAX, INT_MAX, 2, 3));
    ASSERT_NE(nullptr, beyond);
    EXPECT_EQ(std::vector<Pixel>(6, 0), PixelsOf(*beyond));
    std::unique_ptr<IImage> edge(image->CreateSubImage(INT_MAX - 1, 3, 2, 1));
    ASSERT_NE(nullptr, edge);
    EXPECT_EQ(std::vector<Pixel>(2, 0), PixelsOf(*edge));
    EXPECT_TRUE(State(*image) == before);
}

TYPED_TEST(BadInput, TilingRefusesBadRectanglesAndEndsAtTheEdgeOfTheIntRange)
{
    auto image = this->Subject();
    auto dest = MakeTestImage<CMemoryImage>(6, 6, 0x777777);
    const State target(*dest);
    EXPECT_FALSE(image->TileTo(dest.get(), 0, 0, INT_MIN, 5));
    EXPECT_FALSE(image->TileTo(dest.get(), 0, 0, 5, INT_MIN));
    EXPECT_FALSE(image->TileTo(dest.get(), INT_MIN, INT_MIN, INT_MAX, INT_MAX)) << "ends at -1";
    // Accepted, but every copy lies beyond the destination: none is made.
    EXPECT_TRUE(image->TileTo(dest.get(), INT_MAX, INT_MAX, INT_MAX, INT_MAX));
    EXPECT_TRUE(image->TileTo(nullptr, 0, 0, 10, 10));
    EXPECT_TRUE(State(*dest) == target);

    CMemoryImage empty(0, 0);
    EXPECT_FALSE(empty.TileTo(dest.get(), 0, 0, 4, 4)) << "an empty image never steps forward";
    CDibSectionImage canvas;
    EXPECT_FALSE(empty.DrawTiled(canvas.GetDC(), 0, 0, 4, 4));
}

TYPED_TEST(BadInput, DrawingOntoNullStaleAndForeignDcsDoesNoHarm)
{
    auto image = this->Subject();
    HDC stale = nullptr;
    {
        CDibSectionImage gone;
        stale = gone.GetDC();
    }
    CDibSectionImage other;
    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    const HDC targets[] = {nullptr, stale, reinterpret_cast<HDC>(other.GetBitmap()), reinterpret_cast<HDC>(pen)};
    const State before(*image);
    const State otherBefore(other);
    for (const HDC hdc : targets) {
        // GDI's results are not examined: the drawing calls report their own checks only.
        EXPECT_TRUE(image->Draw(hdc, 0, 0));
        EXPECT_TRUE(image->Draw(hdc, 1, 1, 3, 3));
        EXPECT_TRUE(image->DrawTiled(hdc, 0, 0, 9, 9));
        EXPECT_TRUE(image->DrawBlend(hdc, 0, 0, 0.5));
        EXPECT_FALSE(image->DrawBlend(hdc, 0, 0, kNaN));
        EXPECT_FALSE(image->Draw(hdc, 0, 0, 0, INT_MAX));
        EXPECT_FALSE(image->DrawTiled(hdc, INT_MIN, 0, 5, 5));
    }
    ::DeleteObject(pen);
    EXPECT_TRUE(State(*image) == before);
    EXPECT_TRUE(State(other) == otherBefore);
}

TYPED_TEST(BadInput, DrawingAtTheEndsOfTheIntRangeChangesNoPixelOfTheTarget)
{
    auto image = this->Subject();
    image->SetColorKey(COLORKEY_NONE);  // the one-transfer route
    CDibSectionImage target;
    ASSERT_TRUE(target.Create(6, 6, 0x777777));
    const State before(target);
    for (const Pair& at : kFarPositions) {
        EXPECT_TRUE(image->Draw(target.GetDC(), at.a, at.b));
        EXPECT_TRUE(image->Draw(target.GetDC(), at.a, at.b, INT_MAX, INT_MAX));
        EXPECT_TRUE(image->DrawBlend(target.GetDC(), at.a, at.b, kInf));
    }
    EXPECT_TRUE(image->DrawTiled(target.GetDC(), INT_MAX, INT_MAX, INT_MAX, INT_MAX));
    EXPECT_TRUE(State(target) == before);
}

TYPED_TEST(BadInput, LinesAndRectanglesAcrossTheWholeIntRangeAreClipped)
{
    auto image = MakeTestImage<TypeParam>(4, 4);
    EXPECT_TRUE(image->DrawLine(INT_MIN, 2, INT_MAX, 2, 0x0000FF));
    EXPECT_TRUE(image->DrawLine(3, INT_MAX, 3, INT_MIN, 0x0000FF));
    EXPECT_TRUE(image->DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFF0000)) << "all four sides lie outside";
    // A fill draws its rows one by one: a few rows, each as wide as the whole int range.
    EXPECT_TRUE(image->FillRect(INT_MIN, 0, INT_MAX, 1, 0x00FF00));
    const Pixel g = 0x00FF00;
    const Pixel b = 0x0000FF;
    std::vector<Pixel> expected{g, g, g, g, g, g, g, g, b, b, b, b, 0, 0, 0, b};
    std::vector<Pixel> pixels = PixelsOf(*image);
    if (std::is_same_v<TypeParam, CDibSectionImage>) {
        // GDI's own lines: Wine leaves out the upward one from INT_MAX to INT_MIN entirely
        // (Windows promises nothing for coordinates beyond 27 bits), so only rows 0 to 2 count.
        expected.resize(12);
        pixels.resize(12);
    }
    EXPECT_EQ(expected, pixels);
}

TEST(BadInputHeapLine, TheWholeIntRangeDiagonalIsTheImageDiagonal)
{
    CMemoryImage image(3, 3);
    EXPECT_TRUE(image.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x1));  // slope exactly 1
    EXPECT_EQ((std::vector<Pixel>{1, 0, 0, 0, 1, 0, 0, 0, 1}), PixelsOf(image));
}

TYPED_TEST(BadInput, Rows24RefusesBlocksThatMissTheImageOrCannotBeAddressed)
{
    auto image = this->Subject();
    const State before(*image);
    const std::vector<BYTE> rows(64, 0x5A);  // more than any block below that is read at all
    EXPECT_FALSE(image->SetRows24(0, 0, 2, 2, nullptr));
    for (const Pair& size : kBadSizes) {
        // A block that is declared whole must be supplied whole, however large: only sizes
        // with no pixels or more pixels than an int counts are refused before a byte is read.
        if (size.a >= 1 && size.b >= 1 && static_cast<long long>(size.a) * size.b <= INT_MAX) continue;
        EXPECT_FALSE(image->SetRows24(0, 0, size.a, size.b, rows.data())) << size.a << " x " << size.b;
    }
    EXPECT_FALSE(image->SetRows24(INT_MAX, 0, 2, 2, rows.data())) << "x + width overflows int";
    EXPECT_FALSE(image->SetRows24(0, INT_MAX, 2, 2, rows.data()));
    EXPECT_FALSE(image->SetRows24(INT_MIN, 0, 2, 2, rows.data()));
    EXPECT_FALSE(image->SetRows24(INT_MIN + 1, INT_MIN + 1, 2, 2, rows.data()));
    EXPECT_FALSE(image->ImportRows24(nullptr, IMAGE_FORMAT_ROWS24));
    EXPECT_FALSE(image->ImportRows24(rows.data(), IMAGE_FORMAT_BMPFILE));
    EXPECT_FALSE(image->ImportRows24(rows.data(), rows.size(), INT_MIN));
    EXPECT_FALSE(image->ImportRows24(rows.data(), 4 * 16 - 1, IMAGE_FORMAT_ROWS24)) << "5 x 4 needs 4 rows of 16";
    EXPECT_TRUE(State(*image) == before);
}

TYPED_TEST(BadInput, BitmapImportRefusesNullStaleAndForeignHandles)
{
    auto image = this->Subject();
    HBITMAP stale = nullptr;
    {
        CDibSectionImage gone;
        stale = gone.GetBitmap();
    }
    CDibSectionImage other;
    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    const State before(*image);
    EXPECT_FALSE(image->CreateFromBitmap(nullptr));
    EXPECT_FALSE(image->CreateFromBitmap(stale));
    EXPECT_FALSE(image->CreateFromBitmap(reinterpret_cast<HBITMAP>(other.GetDC())));
    EXPECT_FALSE(image->CreateFromBitmap(reinterpret_cast<HBITMAP>(pen)));
    ::DeleteObject(pen);
    EXPECT_TRUE(State(*image) == before);
}

// ---- files ----------------------------------------------------------------------------------

TYPED_TEST(BadInput, LoadingRefusesBrokenAndHostileFilesAndKeepsTheImage)
{
    auto image = this->Subject();
    const State before(*image);
    const std::string good = Bmp(3, 2);
    auto withField = [&](std::size_t at, std::uint32_t value) {
        std::string s = good;
        Put32(s, at, value);
        return s;
    };
    std::string eightBit = good;
    eightBit[28] = 8;
    std::string thirtyTwo = good;
    thirtyTwo[28] = 32;
    // Whether the header alone is refused: then LoadFromMemory, which is trusted with the
    // length, may be given the bytes too.
    struct BadFile {
        const char* what;
        std::string bytes;
        bool headerRefused;
    };
    const BadFile files[] = {
        {"empty", "", false},
        {"header only", good.substr(0, 30), false},
        {"one byte short", good.substr(0, good.size() - 1), false},
        {"rows far beyond", withField(10, 0xFFFFFFF0u), false},
        {"rows offset wraps", withField(10, 0xFFFFFFFFu), false},
        {"8-bit", eightBit, true},
        {"32-bit", thirtyTwo, true},
        {"top-down", withField(22, static_cast<std::uint32_t>(-2)), true},
        {"both negative", withField(18, static_cast<std::uint32_t>(-3)).replace(22, 4, "\xFE\xFF\xFF\xFF"), true},
        {"65536 x 65536", withField(18, 65536).replace(22, 4, std::string("\x00\x00\x01\x00", 4)), true},
        {"46341 x 46341", withField(18, 46341).replace(22, 4, std::string("\x05\xB5\x00\x00", 4)), true},
        {"INT_MAX wide", withField(18, INT_MAX), true},
        {"not a picture", std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16) + std::string(40, '\x01'), true},
    };
    for (const BadFile& file : files) {
        const std::string path = WriteFile("bad.bmp", file.bytes);
        EXPECT_FALSE(image->LoadBmp(path.c_str())) << file.what;
        if (file.headerRefused) {
            EXPECT_FALSE(image->LoadFromMemory(file.bytes.data(), IMAGE_FORMAT_BMPFILE)) << file.what;
        }
        std::remove(path.c_str());
    }
    EXPECT_FALSE(image->LoadBmp(nullptr));
    EXPECT_FALSE(image->LoadBmp(""));
    EXPECT_FALSE(image->LoadBmp(zvx::test::ScratchPath("missing.bmp").c_str()));
    EXPECT_FALSE(image->LoadBmp(".")) << "a folder is not a file";
    EXPECT_FALSE(image->LoadFromMemory(nullptr, IMAGE_FORMAT_BMPFILE));
    for (const int tag : {0, -1, INT_MIN, INT_MAX, IMAGE_FORMAT_ROWS24}) {
        EXPECT_FALSE(image->LoadFromMemory(good.data(), tag)) << tag;
    }
    EXPECT_TRUE(State(*image) == before);
}

TYPED_TEST(BadInput, SavingRefusesNoNameNoPixelsAndNoFolder)
{
    auto image = this->Subject();
    EXPECT_FALSE(image->SaveBmp(nullptr));
    EXPECT_FALSE(image->SaveBmp(""));
    const std::string nowhere = zvx::test::ScratchPath("no-such-folder") + "/picture.bmp";
    EXPECT_FALSE(image->SaveBmp(nowhere.c_str()));
    EXPECT_FALSE(zvx::test::FileExists(nowhere));
    CMemoryImage empty(0, 0);
    const std::string path = zvx::test::ScratchPath("empty.bmp");
    EXPECT_FALSE(empty.SaveBmp(path.c_str()));
    EXPECT_FALSE(zvx::test::FileExists(path));
}

}  // namespace
