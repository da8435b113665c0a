#include "app/ErrorMessage.h"

#include <vector>

#include "app/Texts.h"

namespace {

constexpr UINT kJapaneseCodePage = 932;

// The UTF-16 form of a code-page-932 text, with its null; empty if the system has no code page
// 932. Where the length can be asked for, the text converts into that room.
std::vector<WCHAR> FromJapanese(const char* text)
{
    const int length = ::MultiByteToWideChar(kJapaneseCodePage, 0, text, -1, nullptr, 0);
    std::vector<WCHAR> wide(length > 0 ? static_cast<size_t>(length) : 0);
    if (!wide.empty()) ::MultiByteToWideChar(kJapaneseCodePage, 0, text, -1, wide.data(), length);
    return wide;
}

}  // namespace

int ShowErrorMessage(HWND owner, const char* text)
{
    const std::vector<WCHAR> wideText = FromJapanese(text);
    const std::vector<WCHAR> wideCaption = FromJapanese(texts::kErrorCaption);
    // A system without code page 932 still gets the message, as the ANSI code page shows it.
    // (Then neither text converts: one code page serves both.)
    if (wideText.empty()) return ::MessageBoxA(owner, text, texts::kErrorCaption, MB_OK);
    return ::MessageBoxW(owner, wideText.data(), wideCaption.data(), MB_OK);
}
