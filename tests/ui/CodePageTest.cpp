// Code page 932 to UTF-16 as the message boxes convert their texts (length -1, the size asked for
// first), as Windows does under Wine: the texts, ASCII's two differences, bytes with no character.
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
