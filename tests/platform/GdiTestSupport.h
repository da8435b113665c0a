// Small owners for the GDI objects the platform tests make, so that every test gives back
// what it takes (the live-object test relies on that), and the test for Wine's known deviations.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace zvx::test {

inline BITMAPINFO DibHeader(int width, int height, int bitsPerPixel = 32)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A DIB section; height < 0 makes it top-down.
struct Section {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    Section(int width, int height, int bitsPerPixel = 32)
    {
        const BITMAPINFO info = DibHeader(width, height, bitsPerPixel);
        bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~Section() { ::DeleteObject(bitmap); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;
    std::uint32_t* words() const { return static_cast<std::uint32_t*>(bits); }
    std::uint8_t* bytes() const { return static_cast<std::uint8_t*>(bits); }
};

// A memory DC, optionally holding a bitmap; the original bitmap goes back in before deletion.
struct MemoryDc {
    HDC dc = nullptr;
    HGDIOBJ original = nullptr;
    explicit MemoryDc(HBITMAP bitmap = nullptr) : dc(::CreateCompatibleDC(nullptr))
    {
        if (bitmap != nullptr) original = ::SelectObject(dc, bitmap);
    }
    ~MemoryDc()
    {
        if (original != nullptr) ::SelectObject(dc, original);
        ::DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

// A top-down 32-bit section selected into its own memory DC, every word 0 at first.
struct Canvas {
    int width;
    Section section;
    MemoryDc memory;
    Canvas(int w, int h) : width(w), section(w, -h), memory(section.bitmap) {}
    HDC dc() const { return memory.dc; }
    std::uint32_t& at(int x, int y) const { return section.words()[y * width + x]; }
};

// Wine (our stand-in for Windows) departs from Windows in a few documented places.
inline bool RunningUnderWine()
{
#ifdef _WIN32
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

}  // namespace zvx::test
