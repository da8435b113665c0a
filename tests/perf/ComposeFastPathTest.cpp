// Blends, blits, copies, sub-images and tilings between plain images must give exactly what the
// general path gives. The general side uses images of another dynamic type: one that overrides
// nothing, and one that stores its words scrambled behind GetPixel and SetPixel, which also
// shows that those images see every access go through their overrides. Each side in turn, and
// both, are general; the other is plain.
#include <memory>
#include <type_traits>

#include <gtest/gtest.h>

#include "GeneralPathImages.h"

namespace {

using namespace zvx::test;

template <class S, class D>
struct Classes {
    using Source = S;
    using Dest = D;
};

using ClassPairs = ::testing::Types<Classes<CMemoryImage, CMemoryImage>, Classes<CMemoryImage, CDibSectionImage>,
                                    Classes<CDibSectionImage, CMemoryImage>,
                                    Classes<CDibSectionImage, CDibSectionImage>>;

struct Round {
    Picture source;
    Picture dest;
    ColorKey key = COLORKEY_NONE;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    double alpha = 0.5;
};

template <class P>
class ComposeFastPathTest : public ::testing::Test {
protected:
    using S = typename P::Source;
    using D = typename P::Dest;

    Dice dice{20261206};

    Round NextRound(bool keyed)
    {
        Round r;
        r.source = dice.RandomPicture(24, 18);
        r.dest = dice.RandomPicture(30, 22);
        r.key = dice.KeyFor(r.source);
        if (keyed && r.key == COLORKEY_NONE) r.key = static_cast<ColorKey>(r.source.words[0] & 0x00FFFFFFu);
        r.x = dice.Offset(r.source.width, r.dest.width);
        r.y = dice.Offset(r.source.height, r.dest.height);
        r.width = dice.Between(-1, r.source.width + 3);
        r.height = dice.Between(-1, r.source.height + 3);
        r.alpha = dice.Alpha();
        return r;
    }

    // Runs op on a plain pair and on a pair of the given general classes, compares.
    template <class GS, class GD, class Op>
    void CompareWith(const Round& r, Op& op, const char* what)
    {
        auto fastSource = Make<S>(r.source, r.key);
        auto fastDest = Make<D>(r.dest);
        auto generalSource = Make<GS>(r.source, r.key);
        auto generalDest = Make<GD>(r.dest);
        const bool fast = op(*fastSource, *fastDest, r);
        const bool general = op(*generalSource, *generalDest, r);
        ASSERT_EQ(fast, general) << what;
        ExpectSameImage(*fastDest, *generalDest, what);
        ExpectSameImage(*fastSource, *generalSource, what);
    }

    template <class Op>
    void Compare(int rounds, bool keyed, Op op)
    {
        for (int n = 0; n < rounds; ++n) {
            const Round r = NextRound(keyed);
            SCOPED_TRACE(::testing::Message() << "round " << n << ": " << r.source.width << "x" << r.source.height
                                              << " onto " << r.dest.width << "x" << r.dest.height << " at " << r.x
                                              << "," << r.y << " part " << r.width << "x" << r.height << " key "
                                              << r.key << " alpha " << r.alpha);
            CompareWith<Unchanged<S>, Unchanged<D>>(r, op, "unchanged subclasses");
            CompareWith<Encoded<S>, Encoded<D>>(r, op, "encoded subclasses");
            CompareWith<Encoded<S>, D>(r, op, "encoded source");
            CompareWith<S, Encoded<D>>(r, op, "encoded destination");
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
};
TYPED_TEST_SUITE(ComposeFastPathTest, ClassPairs);

TYPED_TEST(ComposeFastPathTest, BlendTo)
{
    this->Compare(80, false, [](auto& source, auto& dest, const Round& r) {
        return source.BlendTo(static_cast<IImage*>(&dest), r.x, r.y, r.alpha);
    });
}

// Large blends go through a table of every channel result, kept for the next blend with the
// same alpha; small blends after a large one use the kept table too.
TYPED_TEST(ComposeFastPathTest, BlendToThroughTheKeptTable)
{
    auto blend = [](auto& source, auto& dest, const Round& r) {
        return source.BlendTo(static_cast<IImage*>(&dest), r.x, r.y, r.alpha);
    };
    for (const double alpha : {0.7, 0.3, 0.001, 0.999, 0.123456789}) {
        Round big;
        big.source = this->dice.PictureOf(140, 140);
        big.dest = this->dice.PictureOf(150, 150);
        big.key = this->dice.KeyFor(big.source);
        big.x = this->dice.Between(-3, 3);
        big.y = this->dice.Between(-3, 3);
        big.alpha = alpha;
        SCOPED_TRACE(::testing::Message() << "alpha " << alpha);
        this->template CompareWith<Unchanged<typename TypeParam::Source>, Unchanged<typename TypeParam::Dest>>(
            big, blend, "large blend");
        for (int n = 0; n < 10; ++n) {
            Round small = this->NextRound(false);
            small.alpha = alpha;
            this->template CompareWith<Encoded<typename TypeParam::Source>, Encoded<typename TypeParam::Dest>>(
                small, blend, "small blend after a large one");
        }
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TYPED_TEST(ComposeFastPathTest, BltToImageWholeAndPart)
{
    this->Compare(60, false, [](auto& source, auto& dest, const Round& r) {
        return source.BltTo(static_cast<IImage*>(&dest), r.x, r.y);
    });
    this->Compare(60, false, [](auto& source, auto& dest, const Round& r) {
        return source.BltTo(static_cast<IImage*>(&dest), r.x, r.y, r.width, r.height);
    });
}

// Without a key these routes move whole rows through GetScanLine by design, so only the keyed
// (per-pixel) form is compared.
TYPED_TEST(ComposeFastPathTest, KeyedBltToPixelsAndDib)
{
    this->Compare(60, true, [](auto& source, auto& dest, const Round& r) {
        return source.BltTo(static_cast<IPixelBuffer*>(&dest), r.x, r.y);
    });
    if constexpr (std::is_base_of_v<IDibImage, typename TypeParam::Dest>) {
        this->Compare(40, true, [](auto& source, auto& dest, const Round& r) {
            return source.BltTo(static_cast<IDibImage*>(&dest), r.x, r.y);
        });
    }
}

TYPED_TEST(ComposeFastPathTest, CopyFromImage)
{
    this->Compare(40, false, [](auto& source, auto& dest, const Round&) {
        return dest.CopyFrom(static_cast<const IImage*>(&source));
    });
}

TYPED_TEST(ComposeFastPathTest, TileTo)
{
    this->Compare(40, false, [](auto& source, auto& dest, const Round& r) {
        return source.TileTo(static_cast<IImage*>(&dest), r.x, r.y, r.width * 2 - 3, r.height * 2 - 3);
    });
}

TYPED_TEST(ComposeFastPathTest, CreateSubImage)
{
    // The new image is always a plain CMemoryImage; only the source's class varies.
    this->Compare(40, false, [](auto& source, auto& dest, const Round& r) {
        const int x = r.x < -5 ? r.x % 7 : r.x;
        const int y = r.y < -5 ? r.y % 7 : r.y;
        std::unique_ptr<IImage> sub(source.CreateSubImage(x, y, r.width, r.height));
        if (sub == nullptr) return false;
        // Hand the result back through dest, so both sides' copies are compared.
        return dest.CopyFrom(static_cast<const IImage*>(sub.get()));
    });
}

// A subclass that overrides channel reads, SetColor and the key test sees each blended pixel
// go through them, whichever side of the blend it is on.
template <class T>
class Counting : public DefaultConstructed<T> {
public:
    mutable int reds = 0;
    mutable int keyTests = 0;
    int colorsSet = 0;
    BYTE GetRed(int x, int y) const override { return ++reds, T::GetRed(x, y); }
    bool IsKeyColor(int x, int y) const override { return ++keyTests, T::IsKeyColor(x, y); }
    bool SetColor(int x, int y, Pixel c) override { return ++colorsSet, T::SetColor(x, y, c); }
};

TYPED_TEST(ComposeFastPathTest, BlendGoesThroughOverrides)
{
    using S = typename TypeParam::Source;
    using D = typename TypeParam::Dest;
    const Picture source = this->dice.PictureOf(5, 4);
    const Picture dest = this->dice.PictureOf(9, 9);
    auto countingSource = Make<Counting<S>>(source);
    auto plainDest = Make<D>(dest);
    ASSERT_TRUE(countingSource->BlendTo(plainDest.get(), 2, 3, 0.7));
    EXPECT_EQ(countingSource->keyTests, 20);
    EXPECT_EQ(countingSource->reds, 20);

    auto plainSource = Make<S>(source);
    auto countingDest = Make<Counting<D>>(dest);
    const int setBefore = countingDest->colorsSet;
    ASSERT_TRUE(plainSource->BlendTo(countingDest.get(), 2, 3, 0.7));
    EXPECT_EQ(countingDest->reds, 20);
    EXPECT_EQ(countingDest->colorsSet - setBefore, 20);
}

// Onto itself the fast paths step aside; the results must still be the general path's.
TYPED_TEST(ComposeFastPathTest, OntoItself)
{
    using S = typename TypeParam::Source;
    for (int n = 0; n < 40; ++n) {
        Round r = this->NextRound(false);
        r.x = this->dice.Between(-r.source.width, r.source.width);
        r.y = this->dice.Between(-r.source.height, r.source.height);
        auto fast = Make<S>(r.source, r.key);
        auto general = Make<Unchanged<S>>(r.source, r.key);
        if (n % 2 == 0) {
            ASSERT_EQ(fast->BlendTo(fast.get(), r.x, r.y, r.alpha), general->BlendTo(general.get(), r.x, r.y, r.alpha));
        } else {
            ASSERT_EQ(fast->BltTo(static_cast<IImage*>(fast.get()), r.x, r.y),
                      general->BltTo(static_cast<IImage*>(general.get()), r.x, r.y));
        }
        ExpectSameImage(*fast, *general, "onto itself");
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
