#include "AppTestKit.h"

namespace {

using ClickEffectTest = AppTest;

TEST_F(ClickEffectTest, TintsExactlyTheBoxAroundTheClick)
{
    ClickEffect(100, 75);
    // Columns 40..159 and rows 35..114 change; their neighbours do not.
    EXPECT_EQ(g_background.GetColor(40, 35), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(159, 114), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(100, 75), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(39, 75), 0x808080u);
    EXPECT_EQ(g_background.GetColor(160, 75), 0x808080u);
    EXPECT_EQ(g_background.GetColor(100, 34), 0x808080u);
    EXPECT_EQ(g_background.GetColor(100, 115), 0x808080u);
    int changed = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) changed += g_background.GetColor(x, y) != 0x808080u;
    }
    EXPECT_EQ(changed, 120 * 80);
}

TEST_F(ClickEffectTest, AccumulatesSaturatesAndLeavesPureBlueAlone)
{
    g_background.SetColor(90, 70, 0x0000FF);
    g_background.SetColor(91, 70, 0xFE0101);
    g_background.SetColor(92, 70, 0xFFFFFF);  // white is not the excluded colour
    g_background.SetPixel(93, 70, 0xAB0000FF);  // the top byte is not part of the colour
    ClickEffect(100, 75);
    EXPECT_EQ(g_background.GetColor(90, 70), 0x0000FFu);
    EXPECT_EQ(g_background.GetColor(91, 70), 0xFF0000u);
    EXPECT_EQ(g_background.GetColor(92, 70), 0xFFFEFEu);
    EXPECT_EQ(g_background.GetPixel(93, 70), 0xAB0000FFu);
    ClickEffect(100, 75);
    EXPECT_EQ(g_background.GetColor(100, 75), 0x847E7Eu);
    EXPECT_EQ(g_background.GetColor(90, 70), 0x0000FFu);
    EXPECT_EQ(g_background.GetColor(91, 70), 0xFF0000u);
}

TEST_F(ClickEffectTest, AtTheCornerTintsOnlyThePartInside)
{
    ClickEffect(0, 0);
    EXPECT_EQ(g_background.GetColor(0, 0), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(59, 39), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(60, 0), 0x808080u);
    EXPECT_EQ(g_background.GetColor(0, 40), 0x808080u);
    // Far outside, nothing at all happens.
    ClickEffect(-500, 5000);
    EXPECT_EQ(g_background.GetColor(0, 0), 0x827F7Fu);
    EXPECT_EQ(g_background.GetWidth(), 200);
}

}  // namespace
