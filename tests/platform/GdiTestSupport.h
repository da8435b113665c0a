// What the agreement tests draw on: a 32-bit DIB section in a memory DC of its own, as every
// image of the library keeps its pixels. The same tests run against real GDI under Wine.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32.h"

namespace zvx::test {

inline BITMAPINFO DibHeader(int width, int height, int bits = 32) { return {{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0}, {}}; }

// Every word 0 at first; rows top-down unless bottomUp (as a caller's own bitmap may be).
struct Canvas {
    int width, height;
    bool bottomUp;
    void* bits = nullptr;
    BITMAPINFO info = DibHeader(width, bottomUp ? height : -height);
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ original = ::SelectObject(dc, bitmap);

    Canvas(int w, int h, bool upwards = false) : width(w), height(h), bottomUp(upwards) {}
    ~Canvas()
    {
        ::SelectObject(dc, original);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;

    std::uint32_t& at(int x, int y) const
    {
        return static_cast<std::uint32_t*>(bits)[(bottomUp ? height - 1 - y : y) * width + x];
    }
    void Clip(int left, int top, int right, int bottom) const
    {
        HRGN region = ::CreateRectRgn(left, top, right, bottom);
        ::SelectClipRgn(dc, region);
        ::DeleteObject(region);  // the DC keeps its own copy
    }
    // Rows of two hex digits per pixel, its low byte.
    std::string Picture() const
    {
        std::string out;
        for (int i = 0; i < width * height; ++i) {
            out += (i > 0 && i % width == 0 ? " " : "");
            out += {"0123456789abcdef"[(at(i % width, i / width) >> 4) & 15], "0123456789abcdef"[at(i % width, i / width) & 15]};
        }
        return out;
    }
};

}  // namespace zvx::test
