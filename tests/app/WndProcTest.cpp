// WndProc, and through it ClickEffect, driven with messages and no window (the USER calls do
// nothing): what is left to see is the state, the background and the frame in the back buffer.
// The USER calls on no window, and code page 932 to UTF-16 as the message boxes convert their texts
// (length -1, the size asked for first), as Windows answers them under Wine.
#include "app/AppState.h"
#include "app/Texts.h"
#include "support/ImageTestKit.h"
#include "support/LiveObjects.h"

namespace {

constexpr int kWidth = 200, kHeight = 150;

class WndProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_background.Create(kWidth, kHeight, 0x808080));
        ASSERT_TRUE(g_hand.Create(11, 9, 0xFFFFFF));  // a dark 9 x 7 square in a white (keyed) border
        for (int i = 0; i < 63; ++i) g_hand.SetColor(1 + i % 9, 1 + i / 9, 0x203040);
        g_hand.SetColorKey(0xFFFFFF);
        ASSERT_TRUE(g_backBuffer.Create(kWidth, kHeight, 0));
        g_handHalfWidth = 5, g_handHalfHeight = 4;
        g_sound = nullptr, g_mouseX = -1, g_mouseY = 0;
    }
    static LRESULT Send(UINT message, int x = 0, int y = 0) { return WndProc(nullptr, message, 1, MAKELPARAM(x, y)); }
};

TEST_F(WndProcTest, AClickTintsItsBoxAccumulatingSparingPureBlueAndAnswersAsDefWindowProc)
{
    const struct {
        Pixel before, once, twice;
    } pixels[] = {
        {0x808080, 0x827F7F, 0x847E7E}, {0xFE0101, 0xFF0000, 0xFF0000},       {0x0000FF, 0x0000FF, 0x0000FF},
        {0xFFFFFF, 0xFFFEFE, 0xFFFDFD}, {0xAB0000FF, 0xAB0000FF, 0xAB0000FF},  // the top byte is not colour
    };
    for (int i = 0; i < 5; ++i) g_background.SetPixel(100 + i, 75, pixels[i].before);
    Send(WM_MOUSEMOVE, 7, 9);
    EXPECT_EQ(::DefWindowProcA(nullptr, WM_LBUTTONDOWN, 1, MAKELPARAM(100, 75)), Send(WM_LBUTTONDOWN, 100, 75));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pixels[i].once, g_background.GetPixel(100 + i, 75)) << i;
    Send(WM_LBUTTONDOWN, 100, 75);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pixels[i].twice, g_background.GetPixel(100 + i, 75)) << i;
    EXPECT_EQ(7, g_mouseX) << "a click leaves the mouse where it was";

    // Columns x - 60 to x + 59 and rows y - 40 to y + 39, cut to the picture.
    const struct {
        int x, y, left, top, right, bottom;
    } boxes[] = {{100, 75, 40, 35, 159, 114},
                 {0, 0, 0, 0, 59, 39},
                 {kWidth + 59, kHeight + 39, kWidth - 1, kHeight - 1, kWidth - 1, kHeight - 1},
                 {-500, 5000, 0, 0, -1, -1}};
    for (const auto& b : boxes) {
        ASSERT_TRUE(g_background.Create(kWidth, kHeight, 0x808080));
        Send(WM_LBUTTONDOWN, b.x, b.y);
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const int x = i % kWidth, y = i / kWidth;
            const bool inside = x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
            ASSERT_EQ(inside ? 0x827F7Fu : 0x808080u, g_background.GetColor(x, y))
                << b.x << "," << b.y << " at " << x << "," << y;
        }
    }
}

TEST_F(WndProcTest, APaintBlendsTheCursorPictureCentredOnTheMouseOnlyRightOfColumnFour)
{
    for (int i = 0; i < kWidth * kHeight; ++i)
        g_background.SetColor(i % kWidth, i / kWidth, i * 2654435761u & 0xFFFFFF);
    for (const int x : {-1, 0, 4, 5, 120}) {
        EXPECT_EQ(0, x >= 0 ? Send(WM_MOUSEMOVE, x, 100) : 0);  // -1: the mouse never moved
        EXPECT_EQ(0, Send(WM_PAINT));
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const int px = i % kWidth, py = i / kWidth, hx = px - (x - 5), hy = py - 96;
            Pixel want = g_background.GetColor(px, py);
            if (x > 4 && hx >= 1 && hx <= 9 && hy >= 1 && hy <= 7) want = zvx::test::MixPixel(0x203040, want, 0.7);
            ASSERT_EQ(want, g_backBuffer.GetColor(px, py)) << "mouse x " << x << " at " << px << "," << py;
        }
    }
    Send(WM_MOUSEMOVE, -2, -1);  // left of and above the client area: large unsigned values
    EXPECT_EQ(65534, g_mouseX);
    EXPECT_EQ(65535, g_mouseY);
}

TEST_F(WndProcTest, DestroyEndsTheLoopWithZeroAndASessionLeavesNoMemoryBehind)
{
#ifndef _WIN32
    // A whole WAVE image with no samples: each click has the sound layer read it, silently.
    static char silent[] = "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1F\0\0\x40\x1F\0\0\1\0\x08\0data\0\0\0";
    g_sound = reinterpret_cast<BYTE*>(silent);
#endif
    auto session = [] {
        for (const int x : {-30, 3, 100, 230}) {
            for (const UINT message : {WM_MOUSEMOVE, WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP}) Send(message, x, x / 2);
        }
    };
    session();  // whatever is made once and kept is made now
    const auto heap = zvx::test::HeapInUse();
    const auto gdi = zvx::test::LiveGdiObjects();
    session();
    EXPECT_EQ(heap, zvx::test::HeapInUse());
    EXPECT_EQ(gdi, zvx::test::LiveGdiObjects());
    g_sound = nullptr;

    EXPECT_EQ(0, Send(WM_DESTROY));
    MSG msg{};
    EXPECT_TRUE(::GetMessageA(&msg, nullptr, 0, 0) == 0 && msg.message == WM_QUIT && msg.wParam == 0);
}

// USER calls on a window that is not there, and a second registration of a class, as Windows answers them.
TEST(WindowCalls, RefuseWhatIsNotThere)
{
    const auto none = reinterpret_cast<HWND>(std::uintptr_t{0x7FFF0000});
    PAINTSTRUCT paint{};
    MSG msg{}, threadMessage{};
    const WNDCLASSA first{0, WndProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "ZvxTestClass"},
        again{0, WndProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "zvxtestCLASS"};
    EXPECT_FALSE(::InvalidateRgn(none, nullptr, FALSE) || ::BeginPaint(none, &paint) ||
                 ::ShowWindow(none, SW_SHOWDEFAULT) || ::DestroyWindow(none) || ::GetMessageA(&msg, none, 0, 0) != -1);
    EXPECT_TRUE(::UpdateWindow(none)) << "Windows has nothing to paint there, and says so with TRUE";
    EXPECT_FALSE(::DispatchMessageA(&threadMessage) || ::DefWindowProcA(none, WM_ERASEBKGND, 1, 0) ||
                 ::LoadIconA(nullptr, "none") || ::LoadCursorA(nullptr, "none"));
    EXPECT_TRUE(::RegisterClassA(&first) != 0 && ::RegisterClassA(&again) == 0) << "class names compare without case";
    for (LPCSTR name : std::initializer_list<LPCSTR>{"ZvxNoSuchClass", MAKEINTRESOURCEA(1)})
        EXPECT_EQ(nullptr, ::CreateWindowExA(0, name, "", WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT, 9, 9, nullptr,
                                             nullptr, nullptr, nullptr));
}

// The conversion of `length` bytes (negative: up to and with the null) into a buffer of `room`
// characters (0: the length asked for first), "<failed>" or "<wrote beyond>".
std::u16string Convert(const std::string& bytes, int length, int room)
{
    const int needed = ::MultiByteToWideChar(932, 0, bytes.c_str(), length, nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(needed > 0 ? needed : 0) + 4, WCHAR(0x7777));
    const int written = ::MultiByteToWideChar(932, 0, bytes.c_str(), length, wide.data(), room == 0 ? needed : room);
    if (needed <= 0 || written != needed) return u"<failed>";
    if (wide[static_cast<size_t>(needed)] != WCHAR(0x7777)) return u"<wrote beyond>";
    return std::u16string(wide.begin(), wide.begin() + written);
}

TEST(CodePage932, ConvertsAsWindowsDoes)
{
    const struct {
        std::string bytes;
        int length, room;
        std::u16string expected;
    } cases[] = {
        {texts::kErrorCaption, -1, 0, std::u16string(u"エラー") + u'\0'},
        {texts::kClassFailed, -1, 0, std::u16string(u"ウィンドウクラスを登録できませんでした。") + u'\0'},
        {"\x5C\x7E", 2, 0, u"\\~"},
        {"\x85\x40", 2, 0, u"\u30FB"},       // an unassigned pair
        {"a\x81", 2, 0, u"a\u30FB"},         // a lead byte at the end
        {"\x81\x20\x62", 3, 0, u"\u30FBb"},  // the byte after a lead byte goes with it
        // Single bytes above 0x7F.
        {"\xEA\xA4\xB1\xDF\xA0\x80\xFD\xFF", 8, 0, u"\u7199\uFF71\uFF9F\uF8F0\u0080\uF8F1\uF8F3"},
        {std::string("\x81\0c", 3), 3, 0, std::u16string(u"\u30FB") + u'\0' + u"c"},  // a lead byte before a null
        {"abc", 0, 0, u"<failed>"},
        {"abc", 3, -1, u"<failed>"},                 // nothing to convert, no room
        {texts::kErrorCaption, -1, 3, u"<failed>"},  // a buffer too small
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, Convert(c.bytes, c.length, c.room)) << c.bytes;
}

}  // namespace
