#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"

namespace {

using zvx::test::MakeImage;

template <class T>
class PixelAccessTest : public ::testing::Test {};
TYPED_TEST_SUITE(PixelAccessTest, zvx::test::ImageClasses);

TYPED_TEST(PixelAccessTest, ReadsOutsideGiveZeroAndWritesOutsideFail)
{
    auto image = MakeImage<TypeParam>(4, 3, 0xFFFFFFFF);
    const int outside[][2] = {{-1, 0}, {4, 0}, {0, 3}, {0, -1}, {INT_MIN, INT_MIN}, {INT_MAX, 0}};
    for (const auto& p : outside) {
        const int x = p[0];
        const int y = p[1];
        EXPECT_EQ(image->GetPixel(x, y), 0u);
        EXPECT_EQ(image->GetColor(x, y), 0u);
        EXPECT_EQ(image->GetColorRef(x, y), 0u);
        EXPECT_EQ(image->GetRed(x, y), 0);
        EXPECT_FALSE(image->SetPixel(x, y, 1));
        EXPECT_FALSE(image->SetColor(x, y, 1));
        EXPECT_FALSE(image->SetGreen(x, y, 1));
        EXPECT_FALSE(image->AddBlue(x, y, 1));
        EXPECT_FALSE(image->ScaleRed(x, y, 0.5));
    }
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(image->GetPixel(x, y), 0xFFFFFFFFu);
    }
}

TYPED_TEST(PixelAccessTest, TopByteTravelsWithRawWordsOnly)
{
    auto image = MakeImage<TypeParam>(4, 3);
    ASSERT_TRUE(image->SetPixel(0, 0, 0xFF00FFFF));
    EXPECT_EQ(image->GetPixel(0, 0), 0xFF00FFFFu);
    EXPECT_EQ(image->GetColor(0, 0), 0x0000FFFFu);
    EXPECT_EQ(image->GetRed(0, 0), 0x00);
    EXPECT_EQ(image->GetGreen(0, 0), 0xFF);
    EXPECT_EQ(image->GetBlue(0, 0), 0xFF);
    EXPECT_EQ(image->GetColorRef(0, 0), 0x00FFFF00u);

    ASSERT_TRUE(image->SetColor(1, 0, 0xFF00FFFF));
    EXPECT_EQ(image->GetPixel(1, 0), 0x0000FFFFu);

    // Channel setters keep every other bit, the top byte included.
    ASSERT_TRUE(image->SetRed(0, 0, 255));
    EXPECT_EQ(image->GetPixel(0, 0), 0xFFFFFFFFu);
    ASSERT_TRUE(image->SetGreen(0, 0, 0x12));
    ASSERT_TRUE(image->SetBlue(0, 0, 0x34));
    EXPECT_EQ(image->GetPixel(0, 0), 0xFFFF1234u);
}

TYPED_TEST(PixelAccessTest, ColorRefSwapsRedAndBlue)
{
    auto image = MakeImage<TypeParam>(2, 1);
    image->SetPixel(0, 0, 0x00FF0000);
    image->SetPixel(1, 0, 0x000000FF);
    EXPECT_EQ(image->GetColorRef(0, 0), 0x000000FFu);
    EXPECT_EQ(image->GetColorRef(1, 0), 0x00FF0000u);
}

TYPED_TEST(PixelAccessTest, ChannelWritesClampAndSaturate)
{
    auto image = MakeImage<TypeParam>(2, 2, 0x00808080);
    image->SetRed(0, 0, 300);
    EXPECT_EQ(image->GetPixel(0, 0), 0x00FF8080u);
    image->SetRed(0, 0, -5);
    EXPECT_EQ(image->GetPixel(0, 0), 0x00008080u);

    image->SetPixel(1, 0, 0x00FE0001);
    EXPECT_TRUE(image->AddRed(1, 0, 2));
    EXPECT_TRUE(image->AddGreen(1, 0, -1));
    EXPECT_TRUE(image->AddBlue(1, 0, -1));
    EXPECT_EQ(image->GetPixel(1, 0), 0x00FF0000u);

    // Sums that would overflow int saturate like any other.
    image->SetPixel(0, 1, 0x00808080);
    EXPECT_TRUE(image->AddRed(0, 1, INT_MAX));
    EXPECT_TRUE(image->AddGreen(0, 1, INT_MIN));
    EXPECT_TRUE(image->AddBlue(0, 1, INT_MAX));
    EXPECT_EQ(image->GetPixel(0, 1), 0x00FF00FFu);
}

TYPED_TEST(PixelAccessTest, ScalingTruncatesTowardZeroAndClamps)
{
    auto image = MakeImage<TypeParam>(1, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        BYTE value;
        double factor;
        int expected;
    };
    const Case cases[] = {{255, 0.5, 127}, {10, 0.25, 2},  {200, -2.0, 0},  {200, 1.999, 255},
                          {3, 0.999, 2},   {100, 1e300, 255}, {100, -1e300, 0}, {100, inf, 255},
                          {100, -inf, 0},  {100, nan, 0},    {0, inf, 0},     {1, 255.9, 255}};
    for (const Case& c : cases) {
        image->SetPixel(0, 0, 0xAB000000u | (Pixel{c.value} << 16) | (Pixel{c.value} << 8) | c.value);
        EXPECT_TRUE(image->ScaleRed(0, 0, c.factor));
        EXPECT_TRUE(image->ScaleGreen(0, 0, c.factor));
        EXPECT_TRUE(image->ScaleBlue(0, 0, c.factor));
        const Pixel e = static_cast<Pixel>(c.expected);
        EXPECT_EQ(image->GetPixel(0, 0), 0xAB000000u | (e << 16) | (e << 8) | e)
            << int{c.value} << " x " << c.factor;
    }
}

// Records the value each channel setter is handed, then sets it.
template <class Base>
class SetterLog : public zvx::test::DefaultConstructed<Base> {
public:
    std::vector<std::pair<char, int>> values;
    bool SetRed(int x, int y, int v) override
    {
        values.emplace_back('r', v);
        return Base::SetRed(x, y, v);
    }
    bool SetGreen(int x, int y, int v) override
    {
        values.emplace_back('g', v);
        return Base::SetGreen(x, y, v);
    }
    bool SetBlue(int x, int y, int v) override
    {
        values.emplace_back('b', v);
        return Base::SetBlue(x, y, v);
    }
};

TYPED_TEST(PixelAccessTest, AddAndScaleHandTheSetterTheRawValueAndItsClampSaturates)
{
    SetterLog<TypeParam> image;
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::function<void(IImage&)> operation;
        std::pair<char, int> handed;
        BYTE stored;
    };
    // Every channel starts at 254; beyond the int range the value saturates, NaN gives 0.
    const Case cases[] = {
        {"AddRed +2", [](IImage& i) { i.AddRed(0, 0, 2); }, {'r', 256}, 255},
        {"AddGreen -300", [](IImage& i) { i.AddGreen(0, 0, -300); }, {'g', -46}, 0},
        {"AddBlue INT_MAX", [](IImage& i) { i.AddBlue(0, 0, INT_MAX); }, {'b', INT_MAX}, 255},
        {"AddRed INT_MIN", [](IImage& i) { i.AddRed(0, 0, INT_MIN); }, {'r', INT_MIN + 254}, 0},
        {"ScaleBlue -2", [](IImage& i) { i.ScaleBlue(0, 0, -2.0); }, {'b', -508}, 0},
        {"ScaleRed 1.5", [](IImage& i) { i.ScaleRed(0, 0, 1.5); }, {'r', 381}, 255},
        {"ScaleGreen 0.5", [](IImage& i) { i.ScaleGreen(0, 0, 0.5); }, {'g', 127}, 127},
        {"ScaleRed -0.001", [](IImage& i) { i.ScaleRed(0, 0, -0.001); }, {'r', 0}, 0},
        {"ScaleGreen 1e300", [](IImage& i) { i.ScaleGreen(0, 0, 1e300); }, {'g', INT_MAX}, 255},
        {"ScaleBlue -inf", [](IImage& i) { i.ScaleBlue(0, 0, -inf); }, {'b', INT_MIN}, 0},
        {"ScaleRed NaN", [](IImage& i) { i.ScaleRed(0, 0, nan); }, {'r', 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        image.SetPixel(0, 0, 0xABFEFEFE);
        image.values.clear();
        c.operation(image);
        EXPECT_EQ(image.values, (std::vector<std::pair<char, int>>{c.handed}));
        const int shift = c.handed.first == 'r' ? 16 : c.handed.first == 'g' ? 8 : 0;
        const Pixel others = 0xABFEFEFEu & ~(Pixel{0xFF} << shift);
        EXPECT_EQ(image.GetPixel(0, 0), others | (Pixel{c.stored} << shift));
    }
}

// Records every primitive call, so the layering of the channel operations is visible.
template <class Base>
class CallLog : public zvx::test::DefaultConstructed<Base> {
public:
    mutable std::vector<std::string> calls;
    Pixel GetPixel(int x, int y) const override
    {
        calls.push_back("GetPixel");
        return Base::GetPixel(x, y);
    }
    bool SetPixel(int x, int y, Pixel v) override
    {
        calls.push_back("SetPixel");
        return Base::SetPixel(x, y, v);
    }
    BYTE GetRed(int x, int y) const override
    {
        calls.push_back("GetRed");
        return Base::GetRed(x, y);
    }
    BYTE GetGreen(int x, int y) const override
    {
        calls.push_back("GetGreen");
        return Base::GetGreen(x, y);
    }
    BYTE GetBlue(int x, int y) const override
    {
        calls.push_back("GetBlue");
        return Base::GetBlue(x, y);
    }
    bool SetRed(int x, int y, int v) override
    {
        calls.push_back("SetRed");
        return Base::SetRed(x, y, v);
    }
    Pixel GetColor(int x, int y) const override
    {
        calls.push_back("GetColor");
        return Base::GetColor(x, y);
    }
};

TYPED_TEST(PixelAccessTest, EveryChannelOperationGoesThroughTheImagesOwnPrimitives)
{
    CallLog<TypeParam> image;
    using Calls = std::vector<std::string>;
    auto run = [&](auto operation) {
        image.calls.clear();
        operation();
        return image.calls;
    };
    EXPECT_EQ(run([&] { image.GetColor(0, 0); }), (Calls{"GetColor", "GetPixel"}));
    EXPECT_EQ(run([&] { image.GetColorRef(0, 0); }),
              (Calls{"GetBlue", "GetPixel", "GetGreen", "GetPixel", "GetRed", "GetPixel"}));
    EXPECT_EQ(run([&] { image.SetColor(0, 0, 1); }), (Calls{"SetPixel"}));
    EXPECT_EQ(run([&] { image.SetRed(0, 0, 1); }), (Calls{"SetRed", "GetPixel", "SetPixel"}));
    EXPECT_EQ(run([&] { image.AddRed(0, 0, 1); }),
              (Calls{"GetRed", "GetPixel", "SetRed", "GetPixel", "SetPixel"}));
    EXPECT_EQ(run([&] { image.ScaleRed(0, 0, 2.0); }),
              (Calls{"GetRed", "GetPixel", "SetRed", "GetPixel", "SetPixel"}));
    EXPECT_EQ(run([&] { image.IsKeyColor(0, 0); }), Calls{}) << "no key: no pixel read";
    image.SetColorKey(0);
    EXPECT_EQ(run([&] { image.IsKeyColor(0, 0); }), (Calls{"GetColor", "GetPixel"}));
    // Outside, the operations with their own test stop before any primitive.
    EXPECT_EQ(run([&] { image.AddRed(-1, 0, 1); }), Calls{});
    EXPECT_EQ(run([&] { image.SetRed(0, 5000, 1); }), (Calls{"SetRed"}));
}

}  // namespace
