// SaveBmp replaces a file without losing it: what it keeps of the old file, names it must not
// take, and failures that leave everything as it was.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "image/MemoryImage.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
using zvx::test::ReadWholeFile;

void Put(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

// A fresh folder of the test's own, removed with whatever is left in it.
struct Folder {
    fs::path path{zvx::test::ScratchPath("save")};
    Folder() { fs::create_directory(path); }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    // The names in the folder, sorted; a folder's ends in '/'.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path)) {
            const bool isFolder = entry.is_directory() && !entry.is_symlink();
            names.push_back(entry.path().filename().string() + (isFolder ? "/" : ""));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// A 3 x 2 picture: a 78-byte file.
bool Save(const std::string& path)
{
    CMemoryImage image(3, 2);
    image.SetPixel(1, 1, 0x123456);
    return image.SaveBmp(path.c_str());
}

bool IsSavedPicture(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    return bytes.size() == 78u && bytes.compare(0, 2, "BM") == 0;
}

using Names = std::vector<std::string>;

TEST(SaveFile, MakesOrReplacesTheFileAndNothingElse)
{
    const Folder folder;
    const std::string path = folder / "pic.bmp";
    ASSERT_TRUE(Save(path));
    EXPECT_EQ(folder.Names(), Names{"pic.bmp"});
    EXPECT_TRUE(IsSavedPicture(path));
    Put(path, "old");
    ASSERT_TRUE(Save(path));
    EXPECT_EQ(folder.Names(), Names{"pic.bmp"});
    EXPECT_TRUE(IsSavedPicture(path));
}

TEST(SaveFile, ATakenTemporaryNameIsLeftToItsOwner)
{
    const std::string taken = "pic.bmp.zvx-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
    for (const bool asFolder : {false, true}) {
        const Folder folder;
        const std::string path = folder / "pic.bmp";
        Put(path, "old");
        if (asFolder) {
            fs::create_directory(folder / taken);
        } else {
            Put(folder / taken, "someone else's");
        }
        ASSERT_TRUE(Save(path)) << asFolder;
        EXPECT_EQ(folder.Names(), (Names{"pic.bmp", taken + (asFolder ? "/" : "")})) << asFolder;
        EXPECT_TRUE(IsSavedPicture(path)) << asFolder;
        if (!asFolder) {
            EXPECT_EQ(ReadWholeFile(folder / taken), "someone else's");
        }
    }
}

void SetReadOnly(const std::string& path, bool readOnly)
{
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, readOnly ? writable : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

// Obstacles that last as long as the object.
struct Holder {
    HANDLE file;
    explicit Holder(const std::string& path)
        : file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    }
    ~Holder() { ::CloseHandle(file); }
};

struct ReadOnly {
    std::string path;
    explicit ReadOnly(std::string p) : path(std::move(p)) { SetReadOnly(path, true); }
    ~ReadOnly() { SetReadOnly(path, false); }
};

#ifndef _WIN32
// Writes past the limit fail with EFBIG instead of ending the process with SIGXFSZ.
struct FileSizeLimit {
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};
#endif

TEST(SaveFile, AFailedSaveLeavesTheFolderAsItWas)
{
    // Each case finds "pic.bmp" holding "old", puts its obstacle in the way and returns what
    // removes it again once the save has been tried.
    using Obstacle = std::shared_ptr<void>;
    struct Case {
        const char* what;
        const char* name;  // saved to
        std::function<Obstacle(const Folder&)> arrange;
        bool keepsOldFile;
    };
    const std::vector<Case> cases = {
        {"the target is a folder", "pic.bmp",
         [](const Folder& f) {
             fs::remove(f / "pic.bmp");
             fs::create_directory(f / "pic.bmp");
             return Obstacle();
         },
         false},
        {"the target is held unshared", "pic.bmp",
         [](const Folder& f) { return std::make_shared<Holder>(f / "pic.bmp"); }, true},
        {"the target is read-only", "pic.bmp",
         [](const Folder& f) { return std::make_shared<ReadOnly>(f / "pic.bmp"); }, true},
        {"the folder is missing", "missing/pic.bmp", [](const Folder&) { return Obstacle(); }, true},
#ifndef _WIN32
        {"the disk is full", "pic.bmp", [](const Folder&) { return std::make_shared<FileSizeLimit>(64); }, true},
        {"the target is a link to nowhere", "pic.bmp",
         [](const Folder& f) {
             fs::remove(f / "pic.bmp");
             fs::create_symlink("nowhere.bmp", f / "pic.bmp");
             return Obstacle();
         },
         false},
        {"the target is a FIFO", "pic.bmp",
         [](const Folder& f) {
             fs::remove(f / "pic.bmp");
             EXPECT_EQ(mkfifo((f / "pic.bmp").c_str(), 0644), 0);
             return Obstacle();
         },
         false},
#endif
    };
    for (const Case& c : cases) {
        const Folder folder;
        Put(folder / "pic.bmp", "old");
        Obstacle obstacle = c.arrange(folder);
        const Names before = folder.Names();
        EXPECT_FALSE(Save(folder / c.name)) << c.what;
        obstacle.reset();
        EXPECT_EQ(folder.Names(), before) << c.what;
        if (c.keepsOldFile) {
            EXPECT_EQ(ReadWholeFile(folder / "pic.bmp"), "old") << c.what;
        }
    }
}

#ifndef _WIN32
struct stat StatOf(const std::string& path, bool followLink = true)
{
    struct stat info {};
    EXPECT_EQ(followLink ? stat(path.c_str(), &info) : lstat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(SaveFile, KeepsPermissionBitsAndOwner)
{
    const struct {
        mode_t mode;
        bool otherOwner;
    } cases[] = {{0600, false}, {0640, false}, {0604, false}, {0664, true}};
    for (const auto& c : cases) {
        const Folder folder;
        const std::string path = folder / "pic.bmp";
        Put(path, "old");
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        // Only root may give a file away; for anyone else the case keeps the owner it has.
        const bool otherOwner = c.otherOwner && geteuid() == 0;
        if (otherOwner) {
            ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
        }
        const struct stat before = StatOf(path);
        ASSERT_TRUE(Save(path)) << std::oct << c.mode;
        const struct stat after = StatOf(path);
        EXPECT_TRUE(IsSavedPicture(path));
        EXPECT_NE(after.st_ino, before.st_ino) << "written beside, then moved in";
        EXPECT_EQ(after.st_mode & 07777, c.mode) << std::oct << c.mode;
        EXPECT_EQ(after.st_uid, before.st_uid) << std::oct << c.mode;
        EXPECT_EQ(after.st_gid, before.st_gid) << std::oct << c.mode;
        EXPECT_EQ(folder.Names(), Names{"pic.bmp"});
    }
}

TEST(SaveFile, WritesThroughASymbolicLinkAndKeepsIt)
{
    const Folder links;
    const Folder files;
    const std::string real = files / "real.bmp";
    Put(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    // Relative, so it is resolved from the link's own folder; two links deep.
    const fs::path relative = fs::path("..") / files.path.filename() / "real.bmp";
    fs::create_symlink(relative, links / "inner.bmp");
    fs::create_symlink("inner.bmp", links / "pic.bmp");

    ASSERT_TRUE(Save(links / "pic.bmp"));
    EXPECT_EQ(fs::read_symlink(links / "pic.bmp"), "inner.bmp");
    EXPECT_EQ(fs::read_symlink(links / "inner.bmp"), relative);
    EXPECT_EQ(links.Names(), (Names{"inner.bmp", "pic.bmp"}));
    EXPECT_EQ(files.Names(), Names{"real.bmp"});
    EXPECT_TRUE(IsSavedPicture(real));
    EXPECT_EQ(StatOf(real).st_mode & 07777, 0640u);
}
#endif

}  // namespace
