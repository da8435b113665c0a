// Code page 932 to UTF-16: the sample's texts, the characters Microsoft's table has beyond plain
// Shift JIS, and what bytes without a character give. The same table runs against Windows'
// own conversion under Wine.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Texts.h"
#include "platform/Win32.h"

namespace {

constexpr UINT kJapanese = 932;

// The whole conversion of the first `length` bytes (-1: up to and with the null), or "<failed>".
std::u16string Convert(const std::string& bytes, int length)
{
    const int needed = ::MultiByteToWideChar(kJapanese, 0, bytes.c_str(), length, nullptr, 0);
    if (needed <= 0) return u"<failed>";
    std::vector<WCHAR> wide(static_cast<size_t>(needed) + 4, WCHAR(0x7777));
    const int written = ::MultiByteToWideChar(kJapanese, 0, bytes.c_str(), length, wide.data(), needed);
    if (written != needed || wide[static_cast<size_t>(needed)] != WCHAR(0x7777)) return u"<wrote beyond>";
    return std::u16string(wide.begin(), wide.begin() + written);
}

std::u16string Convert(const std::string& bytes) { return Convert(bytes, static_cast<int>(bytes.size())); }

TEST(CodePageTest, TheSamplesTextsComeOutAsWritten)
{
    EXPECT_EQ(Convert(texts::kErrorCaption), u"エラー");
    EXPECT_EQ(Convert(texts::kBackgroundFailed), u"osiri.bmpの読み込みに失敗しました。");
    EXPECT_EQ(Convert(texts::kHandFailed), u"hand.bmpの読み込みに失敗しました。");
    EXPECT_EQ(Convert(texts::kClassFailed), u"ウィンドウクラスを登録できませんでした。");
    EXPECT_EQ(Convert(texts::kWindowFailed), u"ウィンドウを作成できませんでした。");
}

TEST(CodePageTest, MicrosoftsTableAndBytesWithoutACharacter)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {"backslash and tilde", "\x5C\x7E", u"\\~"},
        {"half-width katakana", "\xB1\xDF", u"\uFF71\uFF9F"},
        {"wave dash", "\x81\x60", u"\uFF5E"},
        {"NEC special", "\x87\x40", u"\u2460"},
        {"IBM extension", "\xFA\x40", u"\u2170"},
        {"NEC-selected IBM extension", "\xED\x40", u"\u7E8A"},
        {"0x80 passes through", "\x80", u"\u0080"},
        {"0xA0 and 0xFD-0xFF are private use", "\xA0\xFD\xFE\xFF", u"\uF8F0\uF8F1\uF8F2\uF8F3"},
        {"unassigned pair", "\x85\x40", u"\u30FB"},
        {"lead byte at the end", "a\x81", u"a\u30FB"},
        {"the byte after a lead byte goes with it", "\x81\x20" "b", u"\u30FBb"},
        {"a lead byte before a null stands alone", std::string("\x81\0" "c", 3), std::u16string(u"\u30FB\0c", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(Convert(c.bytes), c.expected) << c.name;
}

TEST(CodePageTest, LengthsAndBuffers)
{
    // -1 (or any negative length) converts the terminating null too; a given length does not
    // add one.
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, "ab", -1, nullptr, 0), 3);
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, "ab", -2, nullptr, 0), 3);
    EXPECT_EQ(Convert("ab", -1), std::u16string(u"ab\0", 3));
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, "ab", 2, nullptr, 0), 2);
    // A two-byte character is one code unit.
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, texts::kErrorCaption, -1, nullptr, 0), 4);

    WCHAR buffer[4] = {};
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, texts::kErrorCaption, -1, buffer, 4), 4);
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, texts::kErrorCaption, -1, buffer, 3), 0);  // too small
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, "ab", 0, buffer, 4), 0);                   // nothing to convert
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, nullptr, 2, buffer, 4), 0);
    EXPECT_EQ(::MultiByteToWideChar(kJapanese, 0, "ab", 2, buffer, -1), 0);
}

}  // namespace
