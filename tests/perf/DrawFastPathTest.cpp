// Lines, outlines and fills drawn into plain images must set exactly the pixels the general
// path sets (see ComposeFastPathTest.cpp for the general-path images).
#include <type_traits>

#include <gtest/gtest.h>

#include "GeneralPathImages.h"

namespace {

using namespace zvx::test;

template <class T>
class DrawFastPathTest : public ::testing::Test {
protected:
    Dice dice{6122026};

    int Coordinate(int size)
    {
        // Far outside now and then, but not so far that the general path's loops take long.
        if (dice.OneIn(10)) return dice.Between(-5000, 5000);
        return dice.Between(-6, size + 6);
    }

    template <class General, class Op>
    void CompareWith(const Picture& p, Op& op, const char* what)
    {
        auto fast = Make<T>(p);
        auto general = Make<General>(p);
        ASSERT_EQ(op(*fast), op(*general)) << what;
        ExpectSameImage(*fast, *general, what);
    }

    template <class Op>
    void Compare(int rounds, Op makeOp)
    {
        for (int n = 0; n < rounds; ++n) {
            const Picture p = dice.RandomPicture(40, 30);
            const int x0 = Coordinate(p.width);
            const int y0 = Coordinate(p.height);
            // Straight lines often, since rows and columns have their own paths.
            const int x1 = dice.OneIn(4) ? x0 : Coordinate(p.width);
            const int y1 = dice.OneIn(4) ? y0 : Coordinate(p.height);
            const Pixel color = dice.Word();
            SCOPED_TRACE(::testing::Message() << "round " << n << ": " << p.width << "x" << p.height << " (" << x0
                                              << "," << y0 << ")-(" << x1 << "," << y1 << ")");
            auto op = makeOp(x0, y0, x1, y1, color);
            CompareWith<Unchanged<T>>(p, op, "unchanged subclass");
            // The DIB-section image draws with a GDI pen into its section, not through SetPixel.
            if constexpr (std::is_same_v<T, CMemoryImage>) CompareWith<Encoded<T>>(p, op, "encoded subclass");
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
};
TYPED_TEST_SUITE(DrawFastPathTest, ImageClasses);

TYPED_TEST(DrawFastPathTest, DrawLine)
{
    this->Compare(250, [](int x0, int y0, int x1, int y1, Pixel c) {
        return [=](IImage& image) { return image.DrawLine(x0, y0, x1, y1, c); };
    });
}

TYPED_TEST(DrawFastPathTest, DrawRectAndFillRect)
{
    this->Compare(60, [](int x0, int y0, int x1, int y1, Pixel c) {
        return [=](IImage& image) { return image.DrawRect(x0, y0, x1, y1, c); };
    });
    this->Compare(60, [](int x0, int y0, int x1, int y1, Pixel c) {
        // Rows are one line each; keep their number within reason.
        return [=](IImage& image) { return image.FillRect(x0, y0 % 50, x1, y1 % 50, c); };
    });
}

}  // namespace
