// Code page 932 (Microsoft's Shift JIS) to UTF-16 as Windows converts it. iconv knows the
// double-byte characters; what Windows gives for bytes that have no character (seen under
// Wine, byte by byte) is written out here.
#include "platform/posix/user/CodePage.h"

#include <climits>
#include <cstring>

#include <iconv.h>

namespace zvx::platform::user {

namespace {

// Code page 932's default character, for a double-byte sequence without a character.
constexpr char16_t kDefaultChar = 0x30FB;

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// One byte that is not a lead byte.
char16_t SingleByte(unsigned char byte)
{
    if (byte < 0x80) return byte;
    if (byte >= 0xA1 && byte <= 0xDF) return static_cast<char16_t>(0xFF61 + (byte - 0xA1));  // half-width katakana
    if (byte == 0xA0) return 0xF8F0;
    if (byte >= 0xFD) return static_cast<char16_t>(0xF8F1 + (byte - 0xFD));
    return byte;  // 0x80
}

class DoubleBytes {
public:
    DoubleBytes() : converter_(iconv_open(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? "UTF-16LE" : "UTF-16BE", "CP932"))
    {}
    ~DoubleBytes()
    {
        if (Usable()) iconv_close(converter_);
    }
    DoubleBytes(const DoubleBytes&) = delete;
    DoubleBytes& operator=(const DoubleBytes&) = delete;

    // The character of a lead and a trail byte, or the default character.
    char16_t Character(unsigned char lead, unsigned char trail)
    {
        if (!Usable()) return kDefaultChar;
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char16_t out[2] = {};
        char* inPointer = in;
        char* outPointer = reinterpret_cast<char*>(out);
        size_t inLeft = sizeof in;
        size_t outLeft = sizeof out;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        const size_t result = iconv(converter_, &inPointer, &inLeft, &outPointer, &outLeft);
        if (result == static_cast<size_t>(-1) || inLeft != 0 || outLeft != sizeof out - sizeof(char16_t)) {
            return kDefaultChar;
        }
        return out[0];
    }

private:
    bool Usable() const { return converter_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t converter_;
};

}  // namespace

std::string Utf16ToUtf8(const WCHAR* text)
{
    std::string out;
    for (const WCHAR* p = text; *p != 0; ++p) {
        const char32_t c = *p;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string AnsiToUtf16(const char* text)
{
    std::u16string out;
    const int length = ::MultiByteToWideChar(kAnsiCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0) return out;
    out.resize(static_cast<size_t>(length));
    ::MultiByteToWideChar(kAnsiCodePage, 0, text, -1, &out[0], length);
    out.pop_back();  // the terminating null
    return out;
}

std::string AnsiToUtf8(const char* text)
{
    const std::u16string wide = AnsiToUtf16(text);
    return Utf16ToUtf8(wide.c_str());
}

}  // namespace zvx::platform::user

using zvx::platform::user::DoubleBytes;

// Only code page 932 and no flags: nothing else is asked for.
int zvx::win32::MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByte, int multiByteLength, LPWSTR wide,
                                    int wideLength)
{
    if (codePage != 932 || flags != 0 || multiByte == nullptr || multiByteLength == 0 || wideLength < 0 ||
        (wide == nullptr && wideLength != 0)) {
        return 0;
    }
    // A negative length (-1 by convention): up to and with the terminating null.
    const size_t length = multiByteLength < 0 ? std::strlen(multiByte) + 1 : static_cast<size_t>(multiByteLength);
    const auto* bytes = reinterpret_cast<const unsigned char*>(multiByte);
    DoubleBytes doubleBytes;
    int count = 0;
    for (size_t i = 0; i < length;) {
        char16_t c;
        const unsigned char byte = bytes[i++];
        if (!zvx::platform::user::IsLeadByte(byte)) {
            c = zvx::platform::user::SingleByte(byte);
        } else if (i == length || bytes[i] == 0) {
            c = zvx::platform::user::kDefaultChar;  // a lead byte at the end, or before a null, stands alone
        } else {
            // The byte after a lead byte goes with it, whether or not the pair is a character.
            c = doubleBytes.Character(byte, bytes[i++]);
        }
        if (count == INT_MAX) return 0;
        if (wideLength != 0) {
            if (count == wideLength) return 0;  // the buffer is too small
            wide[count] = c;
        }
        ++count;
    }
    return count;
}
