#include "image/exchange/SaveWholeFile.h"

#include <cstddef>
#include <string>

namespace zvx {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// How many names the temporary tries: each one that is taken belongs to someone else.
constexpr int kTemporaryNames = 16;

// The full path of the file an open handle reaches, links resolved; empty when there is none.
std::string FinalPath(HANDLE file)
{
    std::string path(260, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleA(file, &path[0], static_cast<DWORD>(path.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Too small: Windows gives the size needed, Wine one less, so one more always fits.
        path.assign(static_cast<std::size_t>(length) + 1, '\0');
    }
    return {};
}

// Whether path opens the very file that is open as file.
bool IsSameFile(HANDLE file, const std::string& path)
{
    HANDLE other =
        ::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    const bool same = ::GetFileInformationByHandle(file, &a) && ::GetFileInformationByHandle(other, &b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
                      a.nFileIndexLow == b.nFileIndexLow;
    ::CloseHandle(other);
    return same;
}

// Writes size bytes at data to an open file and flushes them to disk.
bool WriteFlushed(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size && ::FlushFileBuffers(file);
}

// Makes size bytes at data the contents of the existing file target itself, flushed: it stays the
// same file, with every name, link, owner and permission it has. A failure while writing may leave
// it partly written.
bool WriteInPlace(const std::string& target, const void* data, DWORD size)
{
    HANDLE file =
        ::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteFlushed(file, data, size);
    return ::CloseHandle(file) && written;
}

}  // namespace

bool SaveWholeFile(const char* fileName, const void* data, DWORD size)
{
    if (fileName == nullptr || *fileName == '\0') return false;

    // The data goes to the file the name leads to, through any link, so the link stays a link and
    // the temporary lies beside that file, on its filesystem. Opened for reading with full sharing,
    // as replacing needs: a file that another handle holds unshared is refused here, before
    // anything is written (Wine's ReplaceFileA would leave a stray file of its own behind).
    std::string target = fileName;
    bool exists = false;
    DWORD links = 1;
    // Whether the file may be written itself: a read-only file never is (Windows refuses one even
    // to an administrator; Wine run as root would not).
    bool writable = false;
    HANDLE existing =
        ::CreateFileA(fileName, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        exists = true;
        // A path in the ANSI code page can name another file than the one open (characters it
        // lacks become look-alikes); then the name as given serves.
        const std::string resolved = FinalPath(existing);
        if (!resolved.empty() && IsSameFile(existing, resolved)) target = resolved;
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(existing, &info)) {
            links = info.nNumberOfLinks;
            writable = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
        }
        ::CloseHandle(existing);
    }

    // Created exclusively: a file that happens to bear the temporary's name is someone else's.
    const std::string stem = target + ".zvx-" + std::to_string(::GetCurrentProcessId());
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int i = 0; i < kTemporaryNames && file == INVALID_HANDLE_VALUE; ++i) {
        temporary = stem + (i == 0 ? std::string() : "-" + std::to_string(i)) + ".tmp";
        file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // A folder the user may not write to can hold a file the user may write: that file is written
    // itself.
    if (file == INVALID_HANDLE_VALUE) {
        return writable && ::GetLastError() == ERROR_ACCESS_DENIED && WriteInPlace(target, data, size);
    }
    // On disk before it takes the target's name: a crash after the rename must not find the name
    // on an empty file.
    const bool flushed = WriteFlushed(file, data, size);
    const BOOL closed = ::CloseHandle(file);

    bool moved = false;
    bool saved = false;
    if (flushed && closed && links > 1) {
        // The file has other names, which must go on sharing it: the picture, now known to fit on
        // the disk, is written into the file itself.
        saved = writable && WriteInPlace(target, data, size);
    } else if (flushed && closed) {
        // ReplaceFileA carries the old file's attributes and security over to the new one.
        moved = exists && ::ReplaceFileA(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                         nullptr, nullptr);
        const DWORD refusal = moved ? 0 : ::GetLastError();
        // A new file, or one that a failed replace has already removed (Windows may fail after
        // deleting the replaced file); never over anything that is there.
        if (!moved) moved = ::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        // A file the user may write but not replace (another user's, in a folder with the sticky
        // bit) is written itself.
        saved = moved || (writable && refusal == ERROR_ACCESS_DENIED && WriteInPlace(target, data, size));
    }
    if (!moved) ::DeleteFileA(temporary.c_str());
    return saved;
}

}  // namespace zvx
