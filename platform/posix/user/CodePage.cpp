#include "platform/posix/user/CodePage.h"

#include <cerrno>
#include <cstring>

#include <iconv.h>

namespace zvx::platform::user {

std::string AnsiToUtf8(const char* text)
{
    if (text == nullptr) return std::string();
    std::string out;
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter, ASCII is still right and anything else is marked as unknown.
        for (const char* p = text; *p != '\0'; ++p) out += (static_cast<unsigned char>(*p) < 0x80) ? *p : '?';
        return out;
    }
    char* in = const_cast<char*>(text);
    size_t inLeft = std::strlen(text);
    char buffer[256];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: mark it and go on with the next byte.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace zvx::platform::user
