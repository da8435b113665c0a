// SetDIBitsToDevice as the library calls it: the top-left w x h block of a top-down 32-bit image
// (source 0, 0, scan lines 0 to h - 1) at any place on a DC, clipped by GDI; and with the header
// a caller may have turned bottom-up or to 24 bits, where scan line 0 is the bottom row.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using zvx::test::Canvas;

TEST(SetDIBitsToDevice, PutsTheTopLeftBlockWholeWordsAndClipped)
{
    // A 4 x 3 image whose word in row r, column c is 0xAB0000 followed by r + 1, c + 1.
    const struct { int bits; bool bottomUp; } sources[] = {{32, false}, {32, true}, {24, true}, {24, false}};
    const struct {
        int x, y, w, h;
        bool clipped;  // to the rectangle (1, 1)-(3, 3)
        const char* picture;
        const char* bottomUp;  // when rows from the bottom differ
    } cases[] = {
        {0, 0, 4, 3, false, "111213140000 212223240000 313233340000 000000000000 000000000000 000000000000", nullptr},
        {1, 1, 4, 3, false, "000000000000 001112131400 002122232400 003132333400 000000000000 000000000000", nullptr},
        {0, 0, 2, 2, false, "111200000000 212200000000 000000000000 000000000000 000000000000 000000000000",
         "212200000000 313200000000 000000000000 000000000000 000000000000 000000000000"},
        {2, 0, 3, 1, false, "000011121300 000000000000 000000000000 000000000000 000000000000 000000000000",
         "000031323300 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-1, -1, 4, 3, false, "222324000000 323334000000 000000000000 000000000000 000000000000 000000000000", nullptr},
        {4, 4, 4, 3, false, "000000000000 000000000000 000000000000 000000000000 000000001112 000000002122", nullptr},
        {-100, -100, 4, 3, false, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000", nullptr},
        {0, 0, 4, 3, true, "000000000000 002223000000 003233000000 000000000000 000000000000 000000000000", nullptr},
    };
    for (const auto& s : sources) {
        BYTE image[48] = {};
        for (int i = 0; i < 12; ++i) {
            const std::uint32_t word = 0xAB000000u | ((i / 4 + 1) * 16 + i % 4 + 1);
            std::memcpy(image + (s.bottomUp ? 2 - i / 4 : i / 4) * (4 * s.bits / 8) + i % 4 * s.bits / 8, &word, s.bits / 8);
        }
        const BITMAPINFO header = zvx::test::DibHeader(4, s.bottomUp ? 3 : -3, s.bits);
        for (const auto& c : cases) {
            Canvas canvas(6, 6);
            if (c.clipped) canvas.Clip(1, 1, 3, 3);
            ::SetDIBitsToDevice(canvas.dc, c.x, c.y, static_cast<DWORD>(c.w), static_cast<DWORD>(c.h), 0, 0, 0,
                                static_cast<UINT>(c.h), image, &header, DIB_RGB_COLORS);
            EXPECT_EQ(s.bottomUp && c.bottomUp ? c.bottomUp : c.picture, canvas.Picture()) << s.bits << (s.bottomUp ? " bits bottom-up " : " bits ") << c.x << "," << c.y << " " << c.w << "x" << c.h;
            for (int i = 0; i < 36; ++i) {
                const std::uint32_t word = canvas.at(i % 6, i / 6);
                EXPECT_TRUE(word == 0 || word >> 24 == (s.bits == 32 ? 0xABu : 0u)) << "the top byte is part of a 32-bit word";
            }
        }
    }
}

// Past a few megabytes the rows are copied another way (streaming stores): the same result, onto
// either row order, whole rows or rows starting a column or three along.
TEST(SetDIBitsToDevice, PutsAnImageOfManyMegabytesAsASmallOne)
{
    constexpr int kWidth = 1920, kHeight = 840;
    std::vector<std::uint32_t> image(kWidth * kHeight);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const BITMAPINFO header = zvx::test::DibHeader(kWidth, -kHeight);
    for (const int x : {0, 1, 3}) {
        for (const bool bottomUp : {false, true}) {
            Canvas canvas(kWidth + x, kHeight, bottomUp);
            ::SetDIBitsToDevice(canvas.dc, x, 0, kWidth, kHeight, 0, 0, 0, kHeight, image.data(), &header, DIB_RGB_COLORS);
            int wrongRows = 0;
            for (int y = 0; y < kHeight; ++y) wrongRows += std::memcmp(&canvas.at(x, y), &image[static_cast<std::size_t>(y) * kWidth], kWidth * 4) != 0 || (x > 0 && canvas.at(0, y) != 0);
            EXPECT_EQ(0, wrongRows) << "at x " << x << (bottomUp ? ", bottom-up" : ", top-down");
        }
    }
}

}  // namespace
