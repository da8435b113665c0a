// SaveBmp replaces a file whole (links, mode and owner kept; natively flushed before it is moved in, the
// folder synced after), writes a file of several names or one it may write but not replace into the file
// itself, flushed, or, failing, leaves the folder as it was.
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>

#ifndef _WIN32
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/ImageTestKit.h"
#include "support/TestData.h"

#ifndef _WIN32
// Every fsync ("s FILE-OR-FOLDER") and rename ("m FROM", "to TO") this program makes, the library's included, in order:
// these take the C library's place and ask the system themselves.
std::vector<std::string> g_disk;
extern "C" int fsync(int fd)
{
    g_disk.push_back("s " + std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).string());
    return static_cast<int>(syscall(SYS_fsync, fd));
}
extern "C" int renameat2(int fromAt, const char* from, int toAt, const char* to, unsigned flags) noexcept
{
    g_disk.insert(g_disk.end(), {std::string("m ") + from, std::string("to ") + to});
    return static_cast<int>(syscall(SYS_renameat2, fromAt, from, toAt, to, flags));
}
extern "C" int rename(const char* from, const char* to) noexcept { return renameat2(AT_FDCWD, from, AT_FDCWD, to, 0); }
#endif

namespace {

namespace fs = std::filesystem;
using zvx::test::ReadWholeFile;
using Obstacle = std::shared_ptr<void>;

// The folder's names (folders end in '/', links in '@') and each file's first two bytes.
std::string Contents(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const char* mark = entry.is_symlink() ? "@" : entry.is_directory() ? "/" : "";
        const std::string bytes = entry.is_regular_file() ? ReadWholeFile(entry.path().string()).substr(0, 2) : "";
        names.insert(entry.path().lexically_relative(folder).generic_string() + mark + bytes + " ");
    }
    std::string all;
    for (const std::string& n : names) all += n;
    return all;
}

TEST(SaveFile, ReplacesTheFileWholeOrLeavesTheFolderAsItWas)
{
    const std::string taken = "pic.bmp.zvx-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
#ifndef _WIN32
    const auto readOnly = [](const fs::path& f) { return chmod(f.c_str(), 0755), nullptr; };  // root's
#endif
    const struct {
        const char* what;
        std::string name;  // saved to
        std::function<Obstacle(const fs::path&)> arrange;
        std::string after;      // the folder after a successful save; empty: the save fails
        bool inPlace = false;   // the file itself is written (natively: the same inode)
        bool stranger = false;  // saved by another user (natively, as root only: 65534), pic.bmp writable for all
    } cases[] = {
        {"a new file", "new.bmp", nullptr, "new.bmpBM pic.bmpol "},
        {"a file of two names", "pic.bmp",
         [](const fs::path& f) { return fs::create_hard_link(f / "pic.bmp", f / "twin.bmp"), nullptr; },
         "pic.bmpBM twin.bmpBM ", true},
        {"the temporary's name taken", "pic.bmp",
         [&](const fs::path& f) { return std::ofstream(f / taken) << "ot", nullptr; }, taken + "ot pic.bmpBM "},
        {"a folder in the way", "pic.bmp",
         [](const fs::path& f) { return fs::remove(f / "pic.bmp"), fs::create_directory(f / "pic.bmp"), nullptr; }, ""},
        {"a missing folder", "missing/pic.bmp", nullptr, ""},
        {"a file held unshared", "pic.bmp",
         [](const fs::path& f) {
             HANDLE held = ::CreateFileA((f / "pic.bmp").string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
             return Obstacle(held, [](HANDLE h) { ::CloseHandle(h); });
         },
         ""},
        {"a read-only file", "pic.bmp",
         [](const fs::path& f) {
             fs::permissions(f / "pic.bmp", fs::perms::owner_read);
             return Obstacle(nullptr, [f](void*) { fs::permissions(f / "pic.bmp", fs::perms::owner_all); });
         },
         ""},
#ifndef _WIN32
        {"a full disk", "pic.bmp",
         [](const fs::path&) {  // writes past the limit fail instead of raising SIGXFSZ
             std::signal(SIGXFSZ, SIG_IGN);
             auto* old = new rlimit{};
             getrlimit(RLIMIT_FSIZE, old);
             const rlimit limit{64, old->rlim_max};
             setrlimit(RLIMIT_FSIZE, &limit);
             return Obstacle(old, [](rlimit* r) { setrlimit(RLIMIT_FSIZE, r), delete r; });
         },
         ""},
        {"a file of its own mode and owner behind links", "pic.bmp",
         [](const fs::path& f) {
             fs::create_directory(f / "sub");
             fs::rename(f / "pic.bmp", f / "sub/real.bmp");
             fs::create_symlink("sub/../sub/real.bmp", f / "inner.bmp");
             fs::create_symlink("inner.bmp", f / "pic.bmp");
             chmod((f / "sub/real.bmp").c_str(), 0604);
             // Only root gives files away.
             EXPECT_EQ(0, chown((f / "sub/real.bmp").c_str(), geteuid() == 0 ? 4321 : -1, -1));
             return nullptr;
         },
         "inner.bmp@BM pic.bmp@BM sub/ sub/real.bmpBM "},
        {"a file in a folder it cannot write to", "pic.bmp", readOnly, "pic.bmpBM ", true, true},
        {"a new file in a folder it cannot write to", "new.bmp", readOnly, "", false, true},
        {"another's file in a sticky folder", "pic.bmp",
         [](const fs::path& f) { return chmod(f.c_str(), 01777), nullptr; }, "pic.bmpBM ", true, true},
#endif
    };
    CMemoryImage image(3, 2);
    for (const auto& c : cases) {
#ifndef _WIN32
        if (c.stranger && geteuid() != 0) continue;  // only root can be another user, and own files for another
#endif
        const fs::path folder = zvx::test::ScratchPath("save");
        fs::create_directory(folder);
        std::ofstream(folder / "pic.bmp") << "old";
        if (c.stranger) fs::permissions(folder / "pic.bmp", fs::perms(0666));
        const std::string initial = Contents(folder);  // read before a file is held unshared
        Obstacle obstacle = c.arrange ? c.arrange(folder) : nullptr;
        const std::string before = obstacle ? initial : Contents(folder);
        const std::string path = (folder / c.name).string();
        bool saved = false;
#ifndef _WIN32
        struct stat old = {}, now = {};
        const bool existed = stat(path.c_str(), &old) == 0;
        g_disk.clear();
        if (c.stranger) {  // in a child that is nobody, in no group
            const pid_t child = fork();
            const auto nobody = [] { return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0; };
            if (child == 0) _exit(nobody() && image.SaveBmp(path.c_str()) ? 0 : 1);
            int status = 1;
            saved = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
#endif
        saved = saved || (!c.stranger && image.SaveBmp(path.c_str()));
        EXPECT_EQ(!c.after.empty(), saved) << c.what;
        obstacle.reset();
        EXPECT_EQ(c.after.empty() ? before : c.after, Contents(folder)) << c.what;
#ifndef _WIN32  // the old file's mode and owner; written beside, flushed, moved in, folder synced; or in place, flushed
        const bool kept = stat(path.c_str(), &now) == 0 && now.st_mode == old.st_mode && now.st_uid == old.st_uid;
        EXPECT_TRUE(c.after.empty() || !existed || (kept && (now.st_ino == old.st_ino) == c.inPlace)) << c.what;
        const std::string temp = g_disk.empty() ? "" : g_disk[0].substr(2);
        const fs::path target = c.after.empty() ? "" : fs::canonical(path);
        const std::vector<std::string> synced{"s " + temp, "s " + target.string()};
        const std::vector<std::string> moved{"s " + temp, "m " + temp, "to " + target.string(),
                                             "s " + target.parent_path().string()};
        EXPECT_TRUE(c.after.empty() || c.stranger || g_disk == (c.inPlace ? synced : moved)) << c.what;
#endif
        fs::remove_all(folder);
    }
}

}  // namespace
