// GDI objects where the library never leads, answered as Windows answers them (here Wine): a
// section is held by one memory DC at a time; deleted while held, it still draws and goes once let
// go; a stock object outlives DeleteObject; DeleteObject on a DC deletes it as DeleteDC does.
#include <cstdint>

#include <gtest/gtest.h>

#include "platform/Win32.h"

TEST(GdiObjects, ASectionIsHeldByOneDcAndGoesWhenDeletedAndLetGo)
{
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC first = ::CreateCompatibleDC(nullptr), second = ::CreateCompatibleDC(nullptr);
    HGDIOBJ original = ::SelectObject(first, bitmap);
    EXPECT_TRUE(original != nullptr && ::SelectObject(second, bitmap) == nullptr &&
                ::SelectObject(first, bitmap) == bitmap);
    EXPECT_TRUE(::DeleteObject(bitmap) && ::DeleteObject(::GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(::SetPixel(first, 1, 1, RGB(1, 2, 3)) == RGB(1, 2, 3) &&
                static_cast<std::uint32_t*>(bits)[3] == 0x00010203u);
    ::SelectObject(first, original);
    EXPECT_FALSE(::SelectObject(second, bitmap) || ::DeleteObject(bitmap) ||
                 ::CreateCompatibleDC(reinterpret_cast<HDC>(bitmap)));
    EXPECT_TRUE(::DeleteObject(second) && ::DeleteDC(first));
}
