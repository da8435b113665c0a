// Platform calls where the library never leads, answered as Windows answers them (here Wine). Files:
// reads and writes on a handle opened the other way or on none, null pointers, empty lengths. GDI: a
// section is held by one memory DC at a time; deleted while held, it still draws and goes once let
// go; a stock object outlives DeleteObject; DeleteObject on a DC deletes it as DeleteDC does. And
// SetDIBitsToDevice from every DIB an image may describe (Draw hands it the image's own
// GetBitmapInfo, which a derived class may override): 24 or 32 bits, rows top-down or bottom-up,
// the whole or its top-left part, onto a DIB section's DC clipped by the bitmap and a region.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/ImageTestKit.h"
#include "support/TestData.h"

namespace {

HANDLE Open(const std::string& path, DWORD access, DWORD disposition = OPEN_EXISTING)
{
    return ::CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FileCalls, ReadsAndWritesCountWhatMovedAndRefuseHandlesOpenedTheOtherWayOrNone)
{
    const std::string held = zvx::test::ScratchPath("held.bin"), created = zvx::test::ScratchPath("new.bin");
    std::ofstream(held) << "precious";
    char buffer[16];
    DWORD read = 99, written = 99;
    HANDLE file = Open(held, GENERIC_READ);
    EXPECT_TRUE(!::ReadFile(file, nullptr, 1, &read, nullptr) && ::GetLastError() == 998 &&
                ::ReadFile(file, nullptr, 0, &read, nullptr) && ::ReadFile(file, buffer, 16, &read, nullptr) &&
                read == 8 && ::ReadFile(file, buffer, 16, &read, nullptr) && read == 0);
    EXPECT_TRUE(!::WriteFile(file, "x", 1, &written, nullptr) && written == 0 && ::GetLastError() == 5 &&
                !::FlushFileBuffers(file) && ::GetLastError() == 5 &&
                ::GetFinalPathNameByHandleA(file, buffer, 8, 0) > 8 &&
                ::GetFinalPathNameByHandleA(file, nullptr, 0, 0) > 8 && ::CloseHandle(file));
    file = Open(created, GENERIC_WRITE, CREATE_NEW);
    EXPECT_TRUE(::WriteFile(file, nullptr, 0, &written, nullptr) && written == 0 &&
                !::WriteFile(file, nullptr, 1, &written, nullptr) && !::ReadFile(file, buffer, 1, &read, nullptr) &&
                ::GetLastError() == 5 && ::FlushFileBuffers(file) && ::CloseHandle(file));
    for (HANDLE none : {HANDLE{}, INVALID_HANDLE_VALUE}) {
        BY_HANDLE_FILE_INFORMATION info{};
        EXPECT_FALSE(::ReadFile(none, buffer, 1, &read, nullptr) || ::WriteFile(none, "x", 1, &written, nullptr) ||
                     ::FlushFileBuffers(none) || ::GetLastError() != 6 || ::GetFileInformationByHandle(none, &info));
        EXPECT_TRUE(::GetFinalPathNameByHandleA(none, buffer, 8, 0) == 0 &&
                    ::GetFileSize(none, nullptr) == INVALID_FILE_SIZE && ::GetLastError() == 6);
    }
    EXPECT_FALSE(::CloseHandle(nullptr) || ::DeleteFileA(zvx::test::ScratchPath("missing.bin").c_str()) ||
                 ::DeleteFileA(nullptr) || ::MoveFileExA(nullptr, created.c_str(), MOVEFILE_WRITE_THROUGH) ||
                 ::ReplaceFileA(nullptr, held.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
                 ::CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr) !=
                     INVALID_HANDLE_VALUE);
    for (const std::string& name : {held, created}) std::filesystem::remove(name);
}

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
