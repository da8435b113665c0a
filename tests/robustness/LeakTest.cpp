// Each operation, succeeding and failing, gives back its GDI objects and heap blocks: one counted
// round shows a leak; the rounds before it fill caches (glibc's keeps seven blocks a size).
#include <fstream>
#include <functional>

#include "support/BmpFiles.h"
#include "support/LiveObjects.h"
#include "support/TestData.h"

namespace {

using namespace zvx::test;

ZVX_IMAGE_TEST_SUITE(LeakTest);

TYPED_TEST(LeakTest, OneRoundOfEachOperationLeavesNothingBehind)
{
    if (!LiveGdiObjects() && !HeapInUse()) GTEST_SKIP() << "this system counts neither GDI objects nor heap bytes (Wine)";
    auto image = Make<TypeParam>(4, 3, 0x123456);
    auto other = Make<Other<TypeParam>>(3, 2, 0x654321);
    auto canvas = Make<CDibSectionImage>(16, 16);
    const std::string good = ScratchPath("good.bmp"), broken = ScratchPath("broken.bmp");
    std::ofstream(good, std::ios::binary) << PatternFile();
    std::ofstream(broken, std::ios::binary) << BrokenBmps()[3].second;
    const std::pair<const char*, std::function<void()>> rounds[] = {
        {"Create", [&] { image->Create(5, 4, 0x10); image->Create(2, 3, 0); }},
        {"failed Create", [&] { for (const auto& [w, h] : kBadSizes) image->Create(w, h, 0); }},
        {"made and destroyed", [&] { Make<TypeParam>(3, 2, 0x1); }},
        {"CopyFrom", [&] { image->CopyFrom(static_cast<const IImage*>(other.get())); image->CopyFrom(static_cast<const IPixelBuffer*>(other.get())); }},
        {"CreateSubImage", [&] { delete image->CreateSubImage(1, 1, 2, 2); delete image->CreateSubImage(0, 0, 65536, 65536); }},
        {"LoadBmp", [&] { image->LoadBmp(good.c_str()); image->LoadBmp(broken.c_str()); }},
        {"SaveBmp", [&] { image->SaveBmp(good.c_str()); }},
        {"CreateFromBitmap", [&] { image->CreateFromBitmap(canvas->GetBitmap()); image->CreateFromBitmap(nullptr); }},
        {"lines", [&] { image->DrawLine(0, 0, 3, 2, 0xFF); image->DrawLine(1, 1, 1, 1, 0xFF); image->FillRect(0, 0, 3, 2, 0xFF); }},
        {"blits and blends", [&] { other->BltTo(canvas.get(), 1, 1); other->BlendTo(image.get(), 0, 0, 0.5); image->BltTo(image.get(), 1, 0); }},
        {"DrawTiled", [&] { image->DrawTiled(canvas->GetDC(), -1, 0, 40, 20); image->DrawTiled(canvas->GetDC(), 0, 0, 0, 5); }},
        {"DrawBlend", [&] { image->DrawBlend(canvas->GetDC(), 2, 2, 0.5); }},
    };
    for (const auto& [what, round] : rounds) {
        for (int i = 0; i < 8; ++i) round();
        const auto gdi = LiveGdiObjects();
        const auto heap = HeapInUse();
        round();
        EXPECT_EQ(gdi, LiveGdiObjects()) << what << ": GDI objects";
        EXPECT_EQ(heap, HeapInUse()) << what << ": heap bytes";
    }
}

}  // namespace
