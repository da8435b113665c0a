// 24-bit bottom-up rows: SetRows24 anywhere, clipped, from anywhere (the image's own pixels too), and
// ImportRows24 of the image's own size.
#include <algorithm>
#include <new>
#include <vector>

#include "image/FastPaths.h"
#include "support/BmpFiles.h"

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#endif

// While set, every nothrow new[] fails: the library asks so for the memory it can do without.
// (Under valgrind, whose allocator takes this one's place, it cannot.)
bool g_noArrays = false;
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (g_noArrays) return nullptr;
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

using namespace zvx::test;

// A w x h block padded with 0xEE (a read of padding shows): (x, y) is blue x, green y, red 0x80 + x + y.
std::vector<BYTE> Block(int w, int h)
{
    const std::string file = BmpFile(
        w, h, [](int x, int y) { return (0x80u + x + y) << 16 | y << 8 | x; }, {}, '\xEE');
    return std::vector<BYTE>(file.begin() + 54, file.end());
}

ZVX_IMAGE_TEST_SUITE(Rows24Test);

TYPED_TEST(Rows24Test, BlocksLandClippedWithTheirColoursAndBlocksThatMissAreRefused)
{
    struct Case {
        int x, y, w, h;
        bool written;
    };
    std::vector<Case> cases = {
        {-2, -1, 4, 3, true},      {8, 7, 3, 2, true},        {1, 2, 3, 2, true},
        {-2, 8, 13, 3, true},      {10, 0, 4, 3, false},      {-4, 0, 4, 3, false},
        {0, 10, 4, 3, false},      {0, -3, 4, 3, false},      {INT_MIN, 0, 4, 3, false},
        {INT_MAX, 0, 2, 2, false}, {0, INT_MAX, 2, 2, false}, {INT_MIN + 1, INT_MIN + 1, 2, 2, false}};
    // Sizes with no pixels, or more than an int counts, are refused before a byte is read.
    for (const auto& [w, h] : kBadSizes) {
        if (w < 1 || h < 1 || 1LL * w * h > INT_MAX) cases.push_back({0, 0, w, h, false});
    }
    auto image = Make<TypeParam>(10, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
        Paint(*image, [](int, int) { return 0xFF000001u; });
        const std::vector<BYTE> rows = c.written ? Block(c.w, c.h) : Block(2, 2);
        const auto expected = Over(*image, [&](long long x, long long y, Pixel) -> std::optional<Pixel> {
            if (!c.written || x < c.x || y < c.y || x >= 1LL * c.x + c.w || y >= 1LL * c.y + c.h) return std::nullopt;
            return 0x800000u + static_cast<Pixel>(x - c.x + y - c.y) * 0x10000u + static_cast<Pixel>(y - c.y) * 0x100u +
                   static_cast<Pixel>(x - c.x);
        });
        EXPECT_EQ(c.written, image->SetRows24(c.x, c.y, c.w, c.h, rows.data()));
        EXPECT_EQ(expected, PixelsOf(*image));
    }
    EXPECT_FALSE(image->SetRows24(0, 0, 2, 2, nullptr));
    // One row two gigabytes long: only the part over the image is read and written.
    EXPECT_TRUE(image->SetRows24(0, 0, INT_MAX / 3, 1, Block(10, 1).data()));
    EXPECT_EQ(
        Over(*image, [](int x, int y, Pixel p) { return std::optional<Pixel>(y > 0 ? p : 0x800000u + x * 0x10001u); }),
        PixelsOf(*image));
}

// A .bmp file written into the image's pixels (rows from its byte 0, where a freed block's links go) and
// loaded from there, of the image's size or of another (which re-creates the image), and the pixels
// taken as rows (plain images: the general SetRows24 reads each row as it writes it): all as from an
// untouched copy, or refused with the image unchanged where there is no memory for one.
TYPED_TEST(Rows24Test, RowsInTheImagesOwnPixelsAreReadAsFromACopyOrRefused)
{
    for (const bool refused : {false, true}) {
        for (const int size : {8, 5, 0}) {
            SCOPED_TRACE(::testing::Message() << size << (refused ? " refused" : ""));
            auto image = Make<TypeParam>(8, 8);
            Paint(*image, Pattern);
            auto* pixels = reinterpret_cast<BYTE*>(image->GetScanLine(0));
            const std::string file = BmpFile(size, size, [](int x, int y) { return Pattern(y, x); }, {{10, 0}});
            if (size > 0) std::copy(file.begin(), file.end(), pixels);
            if ((size == 0 && !zvx::PlainRows(*image)) || (refused && RUNNING_ON_VALGRIND)) continue;
            const std::vector<BYTE> copy(pixels, pixels + sizeof(Pixel) * 64);
            CMemoryImage twin(8, 8);
            const std::string before = StateOf(*image);
            ASSERT_TRUE(size > 0 ? twin.LoadFromMemory(copy.data(), IMAGE_FORMAT_BMPFILE)
                                 : twin.SetRows24(0, 0, 8, 8, copy.data()));
            g_noArrays = refused;
            const bool result =
                size > 0 ? image->LoadFromMemory(pixels, IMAGE_FORMAT_BMPFILE) : image->SetRows24(0, 0, 8, 8, pixels);
            g_noArrays = false;
            EXPECT_EQ(!refused, result);
            EXPECT_EQ(refused ? before : StateOf(twin), StateOf(*image));
        }
    }
}

TYPED_TEST(Rows24Test, ImportTakesRowsOfTheImagesSizeBottomUpAndKeepsTopBytes)
{
    auto image = Make<TypeParam>(2, 2, 0xAB000000);
    // Stride 8: image row 0 comes from bytes 8 to 13, row 1 from 0 to 5; 6, 7, 14, 15 are padding.
    const BYTE rows[16] = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    const std::string before = StateOf(*image);
    EXPECT_FALSE(image->ImportRows24(rows, IMAGE_FORMAT_BMPFILE));
    EXPECT_FALSE(image->ImportRows24(nullptr, IMAGE_FORMAT_ROWS24));
    EXPECT_FALSE(image->ImportRows24(rows, 15, IMAGE_FORMAT_ROWS24)) << "one byte short";
    EXPECT_FALSE(image->ImportRows24(rows, 16, INT_MIN));
    EXPECT_EQ(before, StateOf(*image));
    ASSERT_TRUE(image->ImportRows24(rows, IMAGE_FORMAT_ROWS24));
    EXPECT_EQ((std::vector<Pixel>{0xAB090807, 0xAB0C0B0A, 0xAB030201, 0xAB060504}), PixelsOf(*image));
    auto sized = Make<TypeParam>(2, 2, 0xAB000000);
    ASSERT_TRUE(sized->ImportRows24(rows, 16, IMAGE_FORMAT_ROWS24));
    EXPECT_EQ(PixelsOf(*image), PixelsOf(*sized));
}

}  // namespace
