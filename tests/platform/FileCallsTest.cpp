// The file calls as the library makes them, the same natively and under Wine: opening to read
// (unshared, as loads do, or sharing all, as a save looks at what it replaces), creating the
// temporary a save writes, replacing or moving it into place, and telling which file a handle
// reaches.
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The whole file as a load reads it (one ReadFile of GetFileSize bytes); "-" when it will not open.
std::string Get(const std::string& path)
{
    HANDLE file = Open(path, GENERIC_READ, 0, OPEN_EXISTING);
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
    ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_TRUE(::CloseHandle(file));
}

// A fresh folder of the test's own, removed with whatever is left in it.
struct Folder {
    fs::path path{zvx::test::ScratchPath("files")};
    Folder() { fs::create_directory(path); }
    ~Folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return (path / name).string(); }
};

TEST(FileCalls, OpensRespectSharingAndCreateNewNeverTouchesAFile)
{
    enum Holder { kNone, kUnshared, kSharing };
    const struct {
        Holder holder;
        DWORD access, share, disposition;
        bool opens;
    } cases[] = {
        {kNone, GENERIC_READ, 0, OPEN_EXISTING, true},
        {kUnshared, GENERIC_READ, 0, OPEN_EXISTING, false},
        {kSharing, GENERIC_READ, 0, OPEN_EXISTING, false},
        {kUnshared, GENERIC_READ, kShareAll, OPEN_EXISTING, false},
        {kSharing, GENERIC_READ, kShareAll, OPEN_EXISTING, true},
        {kNone, GENERIC_WRITE, 0, CREATE_NEW, false},
    };
    const Folder folder;
    const std::string path = folder / "held.bin";
    for (const auto& c : cases) {
        Put(path, "precious");
        HANDLE holder = c.holder == kNone ? INVALID_HANDLE_VALUE
                                          : Open(path, GENERIC_READ, c.holder == kSharing ? kShareAll : 0, OPEN_EXISTING);
        HANDLE second = Open(path, c.access, c.share, c.disposition);
        EXPECT_EQ(c.opens, second != INVALID_HANDLE_VALUE) << &c - cases;
        ::CloseHandle(second);
        ::CloseHandle(holder);
        EXPECT_EQ("precious", Get(path)) << &c - cases;
    }
    EXPECT_EQ("-", Get(folder / "missing.bin"));
    HANDLE created = Open(folder / "new.bin", GENERIC_WRITE, 0, CREATE_NEW);
    EXPECT_NE(INVALID_HANDLE_VALUE, created);
    ::CloseHandle(created);
    EXPECT_EQ("", Get(folder / "new.bin"));
}

TEST(FileCalls, ReplaceFileAReplacesOnlyAWritableFileNobodyHoldsAndMoveFileExANothing)
{
    enum Obstacle { kNone, kNoTarget, kReadOnlyTarget, kHeldTarget, kHeldReplacement };
    for (const Obstacle obstacle : {kNone, kNoTarget, kReadOnlyTarget, kHeldTarget, kHeldReplacement}) {
        const Folder folder;
        const std::string target = folder / "target.bin";
        const std::string replacement = folder / "replacement.bin";
        if (obstacle != kNoTarget) Put(target, "old");
        Put(replacement, "new");
        const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if (obstacle == kReadOnlyTarget) fs::permissions(target, writable, fs::perm_options::remove);
        HANDLE holder = obstacle == kHeldTarget        ? Open(target, GENERIC_READ, 0, OPEN_EXISTING)
                        : obstacle == kHeldReplacement ? Open(replacement, GENERIC_READ, 0, OPEN_EXISTING)
                                                       : INVALID_HANDLE_VALUE;
        const BOOL replaced = ::ReplaceFileA(target.c_str(), replacement.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        ::CloseHandle(holder);
        if (obstacle == kReadOnlyTarget) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(obstacle == kNone, replaced != FALSE) << obstacle;
        EXPECT_EQ(obstacle == kNone ? "new" : obstacle == kNoTarget ? "-" : "old", Get(target)) << obstacle;
        EXPECT_EQ(obstacle == kNone ? "-" : "new", Get(replacement)) << obstacle;
        // Without MOVEFILE_REPLACE_EXISTING, onto a file or a folder, nothing moves.
        fs::create_directory(folder / "folder");
        EXPECT_FALSE(::MoveFileExA(replacement.c_str(), (folder / "folder").c_str(), 0));
        EXPECT_EQ(obstacle == kNoTarget, ::MoveFileExA(replacement.c_str(), target.c_str(), 0) != FALSE);
        EXPECT_EQ(obstacle <= kNoTarget ? "new" : "old", Get(target));
    }
}

TEST(FileCalls, AHandleNamesItsFileAndTellsItFromAnother)
{
    const Folder folder;
    Put(folder / "named.bin", "named");
    Put(folder / "other.bin", "other");
    HANDLE file = Open(folder / "named.bin", GENERIC_READ, kShareAll, OPEN_EXISTING);
    char small[4] = {};
    const DWORD needed = ::GetFinalPathNameByHandleA(file, small, sizeof small, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    // Too small: Windows asks for the length with the terminating zero, Wine for one less; the
    // length with one more always fits.
    ASSERT_GE(needed, sizeof small);
    std::string resolved(needed + 1, '\0');
    resolved.resize(::GetFinalPathNameByHandleA(file, &resolved[0], needed + 1, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS));
    ::CloseHandle(file);
    EXPECT_EQ("named.bin", fs::path(resolved).filename()) << resolved;
    EXPECT_EQ("named", Get(resolved)) << resolved;

    BY_HANDLE_FILE_INFORMATION info[3] = {};
    const std::string paths[3] = {resolved, folder / "named.bin", folder / "other.bin"};
    for (int i = 0; i < 3; ++i) {
        HANDLE other = Open(paths[i], GENERIC_READ, kShareAll, OPEN_EXISTING);
        ASSERT_TRUE(::GetFileInformationByHandle(other, &info[i]));
        ::CloseHandle(other);
    }
    auto id = [](const BY_HANDLE_FILE_INFORMATION& i) {
        return std::to_string(i.dwVolumeSerialNumber) + ":" + std::to_string(std::uint64_t{i.nFileIndexHigh} << 32 | i.nFileIndexLow);
    };
    EXPECT_EQ(id(info[0]), id(info[1]));
    EXPECT_NE(id(info[0]), id(info[2]));
    EXPECT_EQ(info[0].dwVolumeSerialNumber, info[2].dwVolumeSerialNumber);
    EXPECT_EQ(5u, info[0].nFileSizeLow);
}

}  // namespace
