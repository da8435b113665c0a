// Platform calls where the library never leads, answered as Windows answers them (here Wine). Files:
// reads and writes on a handle opened the other way or on none, null pointers, empty lengths. GDI: a
// section is held by one memory DC at a time; deleted while held, it still draws and goes once let
// go; a stock object outlives DeleteObject; DeleteObject on a DC deletes it as DeleteDC does.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/Win32.h"
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

}  // namespace
