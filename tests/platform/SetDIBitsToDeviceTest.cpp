// SetDIBitsToDevice from every DIB an image may describe (Draw hands it the image's own
// GetBitmapInfo, which a derived class may override): 24 or 32 bits, rows top-down or bottom-up,
// the whole or its top-left part, onto a DIB section's DC clipped by the bitmap and a region.
#include <cstring>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

TEST(SetDIBitsToDevice, PutsTheTopLeftBlockWholeWordsAndClipped)
{
    // A 4 x 3 image whose word in row r, column c is 0xAB0000 followed by r + 1, c + 1.
    const struct {
        int bits;
        bool bottomUp;
    } sources[] = {{32, false}, {32, true}, {24, true}, {24, false}};
    const struct {
        int x, y, w, h;
        bool clipped;  // to the rectangle (1, 1)-(3, 3)
        const char* picture;
        const char* bottomUp;  // when rows from the bottom differ
    } cases[] = {
        {1, 1, 4, 3, false, "000000000000 001112131400 002122232400 003132333400 000000000000 000000000000", nullptr},
        {2, 0, 3, 1, false, "000011121300 000000000000 000000000000 000000000000 000000000000 000000000000",
         "000031323300 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-1, -1, 4, 3, false, "222324000000 323334000000 000000000000 000000000000 000000000000 000000000000", nullptr},
        {4, 4, 4, 3, false, "000000000000 000000000000 000000000000 000000000000 000000001112 000000002122", nullptr},
        {0, 0, 4, 3, true, "000000000000 002223000000 003233000000 000000000000 000000000000 000000000000", nullptr},
    };
    for (const auto& s : sources) {
        BYTE image[48] = {};
        for (int i = 0; i < 12; ++i) {
            const std::uint32_t word = 0xAB000000u | ((i / 4 + 1) * 16 + i % 4 + 1);
            const std::size_t size = s.bits / 8, row = s.bottomUp ? 2 - i / 4 : i / 4;
            std::memcpy(image + (row * 4 + i % 4) * size, &word, size);
        }
        const WORD bits = static_cast<WORD>(s.bits);
        const BITMAPINFO header{{sizeof(BITMAPINFOHEADER), 4, s.bottomUp ? 3 : -3, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << s.bits << (s.bottomUp ? " bits bottom-up " : " bits ") << c.x << ","
                                              << c.y << " " << c.w << "x" << c.h);
            CDibSectionImage canvas;
            HRGN clip = ::CreateRectRgn(1, 1, c.clipped ? 3 : 6, c.clipped ? 3 : 6);
            ::SelectClipRgn(canvas.GetDC(), c.clipped ? clip : nullptr);
            ::DeleteObject(clip);
            ::SetDIBitsToDevice(canvas.GetDC(), c.x, c.y, static_cast<DWORD>(c.w), static_cast<DWORD>(c.h), 0, 0, 0,
                                static_cast<UINT>(c.h), image, &header, DIB_RGB_COLORS);
            std::string picture;
            for (int i = 0; i < 36; ++i) {
                const Pixel p = canvas.GetPixel(i % 6, i / 6);
                const char* hex = "0123456789abcdef";
                picture += std::string(i > 0 && i % 6 == 0 ? " " : "") + hex[p >> 4 & 15] + hex[p & 15];
                EXPECT_TRUE(p == 0 || p >> 24 == (s.bits == 32 ? 0xABu : 0u))
                    << "the top byte is part of a 32-bit word";
            }
            EXPECT_EQ(s.bottomUp && c.bottomUp ? c.bottomUp : c.picture, picture);
        }
    }
}

}  // namespace
