// Code page 932 to UTF-16 as the sample's message boxes convert their texts: the texts, the
// characters Microsoft's table has beyond plain Shift JIS, bytes without a character, lengths
// and buffers. The same table runs against Windows' own conversion under Wine.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Texts.h"
#include "platform/Win32.h"

namespace {

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
        {texts::kBackgroundFailed, -1, 0, std::u16string(u"osiri.bmpの読み込みに失敗しました。") + u'\0'},
        {texts::kHandFailed, -1, 0, std::u16string(u"hand.bmpの読み込みに失敗しました。") + u'\0'},
        {texts::kClassFailed, -1, 0, std::u16string(u"ウィンドウクラスを登録できませんでした。") + u'\0'},
        {texts::kWindowFailed, -1, 0, std::u16string(u"ウィンドウを作成できませんでした。") + u'\0'},
        {"\x5C\x7E", 2, 0, u"\\~"},
        {"\xB1\xDF", 2, 0, u"\uFF71\uFF9F"},                      // half-width katakana
        {"\x81\x60", 2, 0, u"\uFF5E"},                            // wave dash
        {"\x87\x40\xFA\x40\xED\x40", 6, 0, u"\u2460\u2170\u7E8A"},  // NEC, IBM, NEC-selected IBM
        {"\x80\xA0\xFD\xFE\xFF", 5, 0, u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
        {"\x85\x40", 2, 0, u"\u30FB"},                            // an unassigned pair
        {"a\x81", 2, 0, u"a\u30FB"},                              // a lead byte at the end
        {"\x81\x20" "b", 3, 0, u"\u30FBb"},                       // the byte after a lead byte goes with it
        {std::string("\x81\0c", 3), 3, 0, std::u16string(u"\u30FB\0c", 3)},
        {"ab", -2, 0, std::u16string(u"ab") + u'\0'},                // any negative length adds the null
        {texts::kErrorCaption, -1, 3, u"<failed>"},                     // a buffer too small
        {"ab", 0, 0, u"<failed>"},
        {"ab", 2, -1, u"<failed>"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, Convert(c.bytes, c.length, c.room)) << c.bytes;
    WCHAR buffer[4];
    EXPECT_EQ(0, ::MultiByteToWideChar(932, 0, nullptr, 2, buffer, 4));
}

}  // namespace
