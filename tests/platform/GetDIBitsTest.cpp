// What CreateFromBitmap asks of any bitmap a caller hands over: its size from GetObjectA, then
// GetDIBits of the whole of it as 32-bit top-down rows, on the screen DC or an image's own DC.
#include <gtest/gtest.h>

#include <vector>

#include "GdiTestSupport.h"

namespace {

using zvx::test::Canvas;
using Words = std::vector<std::uint32_t>;

TEST(GetDIBits, GivesTheWholeBitmapTopRowFirstWithItsTopBytes)
{
    Canvas topDown(3, 2);
    Canvas bottomUp(3, 2, true);
    for (const Canvas* source : {&topDown, &bottomUp}) {
        for (int i = 0; i < 6; ++i) source->at(i % 3, i / 3) = 0xAB000000u | ((i / 3 + 1) * 16 + i % 3 + 1);
    }
    Canvas deleted(1, 1);
    ::SelectObject(deleted.dc, deleted.original);
    ::DeleteObject(deleted.bitmap);
    const struct {
        const char* what;
        HBITMAP bitmap;
        int width, height;  // 0: GetObjectA refuses it, as GetDIBits does
        Words rows;
    } cases[] = {
        {"top-down section", topDown.bitmap, 3, 2, {0xAB000011, 0xAB000012, 0xAB000013, 0xAB000021, 0xAB000022, 0xAB000023}},
        {"bottom-up section", bottomUp.bitmap, 3, 2, {0xAB000011, 0xAB000012, 0xAB000013, 0xAB000021, 0xAB000022, 0xAB000023}},
        {"a new memory DC's own bitmap", static_cast<HBITMAP>(topDown.original), 1, 1, {0}},
        {"a deleted bitmap", deleted.bitmap, 0, 0, {0xCCCCCCCCu}},
        {"a DC", reinterpret_cast<HBITMAP>(topDown.dc), 0, 0, {0xCCCCCCCCu}},
    };
    HDC screen = ::GetDC(nullptr);
    for (const auto& c : cases) {
        for (HDC dc : {screen, deleted.dc}) {
            BITMAP bm{};
            const int size = ::GetObjectA(c.bitmap, sizeof bm, &bm);
            EXPECT_EQ(c.width > 0 ? static_cast<int>(sizeof bm) : 0, size) << c.what;
            EXPECT_EQ(c.width, bm.bmWidth) << c.what;
            EXPECT_EQ(c.height, bm.bmHeight) << c.what;
            BITMAPINFO header = zvx::test::DibHeader(c.width > 0 ? c.width : 1, c.height > 0 ? -c.height : -1);
            Words rows(c.rows.size(), 0xCCCCCCCCu);
            EXPECT_EQ(c.height, ::GetDIBits(dc, c.bitmap, 0, static_cast<UINT>(c.height > 0 ? c.height : 1),
                                            rows.data(), &header, DIB_RGB_COLORS)) << c.what;
            EXPECT_EQ(c.rows, rows) << c.what;
        }
    }
    ::ReleaseDC(nullptr, screen);
    deleted.bitmap = nullptr;
}

}  // namespace
