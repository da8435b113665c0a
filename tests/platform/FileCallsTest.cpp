// The file calls as the library relies on them, the same natively and under Wine.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
using zvx::test::ReadWholeFile;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void Put(const std::string& path, const std::string& bytes)
{
    HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

// A fresh folder of the test's own, removed with whatever is left in it.
struct Folder {
    fs::path path{zvx::test::ScratchPath("files")};
    Folder() { fs::create_directory(path); }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string operator/(const char* name) const { return (path / name).string(); }
};

TEST(FileCalls, AHeldFileIsRefusedUntouched)
{
    struct Case {
        const char* what;
        DWORD holderShare;
        DWORD access;
        DWORD share;
        DWORD disposition;
        bool opens;
    };
    const Case cases[] = {
        {"unshared holder, CREATE_ALWAYS", 0, GENERIC_WRITE, 0, CREATE_ALWAYS, false},
        {"unshared holder, CREATE_ALWAYS sharing all", 0, GENERIC_WRITE, kShareAll, CREATE_ALWAYS, false},
        {"unshared holder, reading sharing all", 0, GENERIC_READ, kShareAll, OPEN_EXISTING, false},
        {"sharing holder, unshared CREATE_ALWAYS", kShareAll, GENERIC_WRITE, 0, CREATE_ALWAYS, false},
        {"sharing holder, unshared reading", kShareAll, GENERIC_READ, 0, OPEN_EXISTING, false},
        {"sharing holder, reading sharing all", kShareAll, GENERIC_READ, kShareAll, OPEN_EXISTING, true},
    };
    const Folder folder;
    const std::string path = folder / "held.bin";
    for (const Case& c : cases) {
        Put(path, "precious");
        HANDLE holder = Open(path, GENERIC_READ, c.holderShare, OPEN_EXISTING);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE) << c.what;
        HANDLE second = Open(path, c.access, c.share, c.disposition);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.opens) << c.what;
        if (second != INVALID_HANDLE_VALUE) ::CloseHandle(second);
        ::CloseHandle(holder);
        EXPECT_EQ(ReadWholeFile(path), "precious") << c.what;
    }
    // Let go of, the file is emptied by CREATE_ALWAYS as usual.
    HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    EXPECT_EQ(ReadWholeFile(path), "");
}

}  // namespace
