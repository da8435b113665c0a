// Ten thousand rounds of every operation that makes GDI objects or images, succeeding and
// failing: afterwards the process holds exactly the GDI objects it held before. (Heap blocks
// that are never freed are reported by the sanitizer and valgrind runs of this suite.)
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/LiveObjects.h"
#include "support/LegacyKit.h"
#include "support/TestData.h"

namespace {

using zvx::test::LiveGdiObjects;
using zvx::test::MakeTestImage;

constexpr int kRounds = 10000;

// Runs round(i) kRounds times and expects the live GDI objects to end where they started.
void ExpectNoGdiObjectLeft(const char* what, const std::function<void(int)>& round)
{
    SCOPED_TRACE(what);
    round(0);  // anything made once and kept (stock objects, the screen) is made now
    const std::optional<long> before = LiveGdiObjects();
    if (!before) GTEST_SKIP() << "this system does not count GDI objects (Wine 8: GetGuiResources gives 0)";
    for (int i = 1; i <= kRounds; ++i) round(i);
    EXPECT_EQ(*before, LiveGdiObjects().value_or(-1));
}

template <class T>
class LeakCycle : public ::testing::Test {};
TYPED_TEST_SUITE(LeakCycle, zvx::test::ImageClasses);

TYPED_TEST(LeakCycle, CreateSucceedingAndFailing)
{
    auto image = MakeTestImage<TypeParam>(2, 2);
    ExpectNoGdiObjectLeft("Create", [&](int i) { ASSERT_TRUE(image->Create(1 + i % 7, 1 + i % 5, i & 1 ? 0 : 0x10)); });
    ExpectNoGdiObjectLeft("failed Create", [&](int i) {
        ASSERT_FALSE(image->Create(i % 2 ? 0 : 65536, i % 2 ? 3 : 65536, 0));
        ASSERT_FALSE(image->Create(-1 - i, 1, 0));
    });
    ExpectNoGdiObjectLeft("made and destroyed", [&](int i) { ASSERT_NE(nullptr, MakeTestImage<TypeParam>(1 + i % 3, 2)); });
}

TYPED_TEST(LeakCycle, CopiesAndSubImages)
{
    auto image = MakeTestImage<TypeParam>(4, 3, 0x123456);
    auto memory = MakeTestImage<CMemoryImage>(3, 2, 0x654321);
    auto dib = MakeTestImage<CDibSectionImage>(2, 5, 0x111111);
    ExpectNoGdiObjectLeft("CopyFrom", [&](int i) {
        const IImage* source = i % 2 ? static_cast<const IImage*>(memory.get()) : static_cast<const IImage*>(dib.get());
        ASSERT_TRUE(image->CopyFrom(source));
        ASSERT_TRUE(image->CopyFrom(static_cast<const IPixelBuffer*>(i % 3 ? memory.get() : nullptr)) == (i % 3 != 0));
    });
    ExpectNoGdiObjectLeft("CreateSubImage", [&](int i) {
        std::unique_ptr<IImage> sub(dib->CreateSubImage(i % 3, 1, 2, 2));
        ASSERT_NE(nullptr, sub);
        EXPECT_EQ(nullptr, dib->CreateSubImage(-1, 0, 2, 2));
    });
}

TYPED_TEST(LeakCycle, LoadingGoodAndBadFiles)
{
    auto image = MakeTestImage<TypeParam>(2, 2);
    auto picture = MakeTestImage<CMemoryImage>(3, 2, 0x102030);
    const std::string good = zvx::test::ScratchPath("good.bmp");
    ASSERT_TRUE(picture->SaveBmp(good.c_str()));
    const std::string bad = zvx::test::ScratchPath("bad.bmp");
    std::FILE* file = std::fopen(bad.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fputs("BM not a picture at all, but long enough to have every header field", file);
    std::fclose(file);
    ExpectNoGdiObjectLeft("LoadBmp", [&](int) {
        ASSERT_TRUE(image->LoadBmp(good.c_str()));
        ASSERT_FALSE(image->LoadBmp(bad.c_str()));
    });
    EXPECT_EQ(0x102030u, image->GetPixel(2, 1));
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

TYPED_TEST(LeakCycle, LinesRectanglesAndTilings)
{
    auto image = MakeTestImage<TypeParam>(16, 16);
    auto canvas = MakeTestImage<CDibSectionImage>(16, 16);
    ExpectNoGdiObjectLeft("DrawLine", [&](int i) {
        image->DrawLine(0, i % 16, 15, 15 - i % 16, 0xFF0000);
        image->DrawLine(3, 3, 3, 3, 0xFF0000);  // refused
        image->FillRect(1, 1, 4, 3, 0x00FF00);
    });
    ExpectNoGdiObjectLeft("DrawTiled", [&](int i) {
        image->DrawTiled(canvas->GetDC(), i % 5 - 2, 0, 40, 20);
        image->DrawTiled(canvas->GetDC(), 0, 0, 0, 5);  // refused
    });
}

}  // namespace
