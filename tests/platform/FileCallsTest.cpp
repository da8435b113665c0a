// The file calls as the library relies on them, the same natively and under Wine: sharing,
// replacing one file by another, and learning which file a handle reaches.
#include <cstdint>
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

void MakeReadOnly(const std::string& path, bool readOnly)
{
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, readOnly ? writable : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

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

TEST(FileCalls, ReplaceFileAReplacesOnlyAWritableFileThatNobodyHolds)
{
    enum class Obstacle { None, NoTarget, ReadOnlyTarget, HeldTarget, HeldReplacement };
    const struct {
        const char* what;
        Obstacle obstacle;
    } cases[] = {
        {"plain", Obstacle::None},
        {"no target", Obstacle::NoTarget},
        {"read-only target", Obstacle::ReadOnlyTarget},
        {"target held unshared", Obstacle::HeldTarget},
        {"replacement held unshared", Obstacle::HeldReplacement},
    };
    for (const auto& c : cases) {
        const Folder folder;
        const std::string target = folder / "target.bin";
        const std::string replacement = folder / "replacement.bin";
        if (c.obstacle != Obstacle::NoTarget) Put(target, "old");
        Put(replacement, "new");
        if (c.obstacle == Obstacle::ReadOnlyTarget) MakeReadOnly(target, true);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (c.obstacle == Obstacle::HeldTarget) holder = Open(target, GENERIC_READ, 0, OPEN_EXISTING);
        if (c.obstacle == Obstacle::HeldReplacement) holder = Open(replacement, GENERIC_READ, 0, OPEN_EXISTING);

        const BOOL replaced = ::ReplaceFileA(target.c_str(), replacement.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        if (holder != INVALID_HANDLE_VALUE) ::CloseHandle(holder);
        if (c.obstacle == Obstacle::ReadOnlyTarget) MakeReadOnly(target, false);
        const bool expected = c.obstacle == Obstacle::None;
        EXPECT_EQ(replaced != FALSE, expected) << c.what;
        EXPECT_EQ(ReadWholeFile(target), expected ? "new" : c.obstacle == Obstacle::NoTarget ? "" : "old") << c.what;
        EXPECT_EQ(fs::exists(replacement), !expected) << c.what;
        if (!expected) {
            EXPECT_EQ(ReadWholeFile(replacement), "new") << c.what;
        }
    }
}

TEST(FileCalls, MoveFileExAWithoutReplaceExistingNeverReplaces)
{
    const Folder folder;
    const std::string source = folder / "source.bin";
    const std::string file = folder / "file.bin";
    const std::string directory = folder / "directory";
    Put(source, "new");
    Put(file, "old");
    fs::create_directory(directory);
    EXPECT_FALSE(::MoveFileExA(source.c_str(), file.c_str(), 0));
    EXPECT_FALSE(::MoveFileExA(source.c_str(), directory.c_str(), 0));
    EXPECT_EQ(ReadWholeFile(file), "old");
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_TRUE(::MoveFileExA(source.c_str(), (folder / "free.bin").c_str(), 0));
    EXPECT_EQ(ReadWholeFile(folder / "free.bin"), "new");
    EXPECT_FALSE(fs::exists(source));
}

TEST(FileCalls, FinalPathNamesTheOpenFile)
{
    const Folder folder;
    const std::string path = folder / "named.bin";
    const std::string other = folder / "other.bin";
    Put(path, "named");
    Put(other, "other");
    HANDLE file = Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    char small[4] = {};
    const DWORD needed = ::GetFinalPathNameByHandleA(file, small, sizeof small, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    // Too small: Windows asks for the length with the terminating zero, Wine for one less; the
    // length with one more always fits.
    ASSERT_GE(needed, sizeof small);
    std::string resolved(needed + 1, '\0');
    const DWORD length = ::GetFinalPathNameByHandleA(file, &resolved[0], needed + 1, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, needed + 1);
    resolved.resize(length);
    EXPECT_EQ(resolved.size(), std::string(resolved.c_str()).size());
    EXPECT_EQ(fs::path(resolved).filename(), "named.bin") << resolved;
    EXPECT_EQ(ReadWholeFile(resolved), "named") << resolved;

    // The volume serial and file index tell one file from another, whichever handle reaches it.
    BY_HANDLE_FILE_INFORMATION mine{};
    BY_HANDLE_FILE_INFORMATION again{};
    BY_HANDLE_FILE_INFORMATION theirs{};
    HANDLE second = Open(resolved, GENERIC_READ, kShareAll, OPEN_EXISTING);
    HANDLE third = Open(other, GENERIC_READ, kShareAll, OPEN_EXISTING);
    ASSERT_TRUE(::GetFileInformationByHandle(file, &mine));
    ASSERT_TRUE(::GetFileInformationByHandle(second, &again));
    ASSERT_TRUE(::GetFileInformationByHandle(third, &theirs));
    ::CloseHandle(third);
    ::CloseHandle(second);
    ::CloseHandle(file);
    EXPECT_EQ(mine.dwVolumeSerialNumber, again.dwVolumeSerialNumber);
    EXPECT_EQ(mine.nFileIndexLow, again.nFileIndexLow);
    EXPECT_EQ(mine.nFileIndexHigh, again.nFileIndexHigh);
    EXPECT_EQ(mine.dwVolumeSerialNumber, theirs.dwVolumeSerialNumber);
    EXPECT_NE(static_cast<std::uint64_t>(mine.nFileIndexHigh) << 32 | mine.nFileIndexLow,
              static_cast<std::uint64_t>(theirs.nFileIndexHigh) << 32 | theirs.nFileIndexLow);
    EXPECT_EQ(mine.nFileSizeLow, 5u);
    EXPECT_EQ(mine.nNumberOfLinks, 1u);
}

}  // namespace
