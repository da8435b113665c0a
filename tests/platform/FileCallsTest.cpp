// The file calls as the library makes them, the same natively and under Wine: opens to read (unshared
// as loads do, or sharing all as a save looks at what it replaces) and a save's temporary, put in place;
// each failure with the code GetLastError gives on Windows.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/Win32.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING)
{
    return ::CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The whole file as a load reads it (one ReadFile of GetFileSize bytes); "-" when it will not open.
std::string Get(const std::string& path)
{
    HANDLE file = Open(path, GENERIC_READ, 0);
    if (file == INVALID_HANDLE_VALUE) return "-";
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) bytes = "?";
    ::CloseHandle(file);
    return bytes;
}

void Put(const std::string& path, const std::string& bytes)
{
    fs::remove(path);
    HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_NEW);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size() && ::CloseHandle(file));
}

// A fresh folder of the test's own, removed with whatever is left in it.
struct Folder {
    fs::path path{zvx::test::ScratchPath("files")};
    Folder() { fs::create_directory(path); }
    ~Folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return (path / name).string(); }
};

// Then reads and writes as loads and saves meet them: short, empty, on a handle opened the other way or on none.
TEST(FileCalls, OpensRespectSharingCreateNewNeverTouchesAFileAndReadsAndWritesCountWhatMoved)
{
    struct Case { int holder; DWORD access, share, disposition; std::string name; DWORD error; };  // holder 0: none, 1: unshared, 2: sharing all; error 0: it opens
    std::vector<Case> cases = {
        {0, GENERIC_READ, 0, OPEN_EXISTING, "held.bin", 0},          {1, GENERIC_READ, 0, OPEN_EXISTING, "held.bin", 32},
        {2, GENERIC_READ, 0, OPEN_EXISTING, "held.bin", 32},         {1, GENERIC_READ, kShareAll, OPEN_EXISTING, "held.bin", 32},
        {2, GENERIC_READ, kShareAll, OPEN_EXISTING, "held.bin", 0},  {0, GENERIC_WRITE, 0, CREATE_NEW, "held.bin", 80},
        {0, GENERIC_READ, 0, OPEN_EXISTING, "missing.bin", 2},       {0, GENERIC_READ, 0, OPEN_EXISTING, "no-folder/x.bin", 3},
        {0, GENERIC_WRITE, 0, CREATE_NEW, "no-folder/x.bin", 3},     {0, GENERIC_READ, 0, OPEN_EXISTING, "held.bin/x.bin", 3},
        {0, GENERIC_READ, 0, OPEN_EXISTING, "held.bin/", 123},       {0, GENERIC_READ, 0, OPEN_EXISTING, ".", 5},
        {0, GENERIC_READ, 0, OPEN_EXISTING, std::string(300, 'n'), 206},
    };
    const Folder folder;
#ifndef _WIN32  // a link to itself, and a file nobody may read (opened as nobody when root, whom nothing stops)
    fs::create_symlink("loop.bin", folder.path / "loop.bin");
    Put(folder / "locked.bin", "");
    fs::permissions(folder / "locked.bin", fs::perms::none);
    cases.insert(cases.end(), {{0, GENERIC_READ, 0, OPEN_EXISTING, "loop.bin", 1921}, {0, GENERIC_READ, 0, OPEN_EXISTING, "locked.bin", 5}});
#endif
    for (const Case& c : cases) {
        Put(folder / "held.bin", "precious");
        HANDLE holder = c.holder == 0 ? INVALID_HANDLE_VALUE : Open(folder / "held.bin", GENERIC_READ, c.holder == 2 ? kShareAll : 0);
#ifndef _WIN32
        const bool asNobody = c.name == "locked.bin" && geteuid() == 0 && seteuid(65534) == 0;
#endif
        HANDLE second = Open(folder / c.name.c_str(), c.access, c.share, c.disposition);
        EXPECT_EQ(c.error, second == INVALID_HANDLE_VALUE ? ::GetLastError() : 0) << c.name << " " << c.disposition;
#ifndef _WIN32
        EXPECT_TRUE(!asNobody || seteuid(0) == 0);
#endif
        ::CloseHandle(second);
        ::CloseHandle(holder);
        EXPECT_EQ("precious", Get(folder / "held.bin")) << &c - cases.data();
    }

    char buffer[16];
    DWORD read = 99, written = 99;
    HANDLE file = Open(folder / "held.bin", GENERIC_READ, 0);
    EXPECT_TRUE(!::ReadFile(file, nullptr, 1, &read, nullptr) && ::GetLastError() == 998 && ::ReadFile(file, nullptr, 0, &read, nullptr) && ::ReadFile(file, buffer, 16, &read, nullptr) && read == 8 && ::ReadFile(file, buffer, 16, &read, nullptr) && read == 0);
    EXPECT_TRUE(!::WriteFile(file, "x", 1, &written, nullptr) && written == 0 && ::GetLastError() == 5 && !::FlushFileBuffers(file) && ::GetLastError() == 5 && ::GetFinalPathNameByHandleA(file, buffer, 8, 0) > 8 && ::GetFinalPathNameByHandleA(file, nullptr, 0, 0) > 8 && ::CloseHandle(file));
    file = Open(folder / "new.bin", GENERIC_WRITE, 0, CREATE_NEW);
    EXPECT_TRUE(::WriteFile(file, nullptr, 0, &written, nullptr) && written == 0 && !::WriteFile(file, nullptr, 1, &written, nullptr) && !::ReadFile(file, buffer, 1, &read, nullptr) && ::GetLastError() == 5 && ::FlushFileBuffers(file) && ::CloseHandle(file));
    for (HANDLE none : {HANDLE{}, INVALID_HANDLE_VALUE}) {
        BY_HANDLE_FILE_INFORMATION info{};
        EXPECT_FALSE(::ReadFile(none, buffer, 1, &read, nullptr) || ::WriteFile(none, "x", 1, &written, nullptr) || ::FlushFileBuffers(none) || ::GetLastError() != 6 || ::GetFileInformationByHandle(none, &info));
        EXPECT_TRUE(::GetFinalPathNameByHandleA(none, buffer, 8, 0) == 0 && ::GetFileSize(none, nullptr) == INVALID_FILE_SIZE && ::GetLastError() == 6);
    }
    EXPECT_FALSE(::CloseHandle(nullptr) || ::DeleteFileA((folder / "missing.bin").c_str()) || ::DeleteFileA(nullptr) || ::MoveFileExA(nullptr, (folder / "x").c_str(), MOVEFILE_WRITE_THROUGH) ||
                 ::ReplaceFileA(nullptr, (folder / "held.bin").c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
                 ::CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr) != INVALID_HANDLE_VALUE);
}

TEST(FileCalls, ReplaceFileAReplacesOnlyAWritableFileNobodyHoldsAndMoveFileExANothing)
{
    enum Obstacle { kNone, kNoTarget, kReadOnlyTarget, kHeldTarget, kHeldReplacement };
    for (const Obstacle obstacle : {kNone, kNoTarget, kReadOnlyTarget, kHeldTarget, kHeldReplacement}) {
        const Folder folder;
        const std::string target = folder / "target.bin", replacement = folder / "replacement.bin";
        if (obstacle != kNoTarget) Put(target, "old");
        Put(replacement, "new");
        if (obstacle == kReadOnlyTarget) fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
        HANDLE holder = Open(obstacle == kHeldTarget ? target : obstacle == kHeldReplacement ? replacement : folder / "none", GENERIC_READ, 0);
        const BOOL replaced = ::ReplaceFileA(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        ::CloseHandle(holder);
        if (obstacle == kReadOnlyTarget) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(obstacle == kNone, replaced != FALSE) << obstacle;
        EXPECT_EQ(obstacle == kNone ? "new" : obstacle == kNoTarget ? "-" : "old", Get(target)) << obstacle;
        EXPECT_EQ(obstacle == kNone ? "-" : "new", Get(replacement)) << obstacle;
        // Without MOVEFILE_REPLACE_EXISTING, onto a file or a folder, nothing moves (or there is nothing left to move).
        fs::create_directory(folder / "folder");
        const DWORD refused = obstacle == kNone ? 2 : 183;
        EXPECT_EQ(refused, ::MoveFileExA(replacement.c_str(), (folder / "folder").c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : ::GetLastError());
        EXPECT_EQ(obstacle == kNoTarget ? 0 : refused, ::MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : ::GetLastError());
        EXPECT_EQ(obstacle <= kNoTarget ? "new" : "old", Get(target));
    }
}

}  // namespace
