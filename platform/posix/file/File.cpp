// Win32 file calls on POSIX descriptors. A HANDLE is the descriptor plus one, so that 0 (a null
// handle) and INVALID_HANDLE_VALUE (-1) are never valid descriptors. A failed call leaves the code
// Windows gives for the same case (as Wine shows it) for GetLastError, and beside it what that
// code cannot tell, for FormatMessageA's words: the errno behind it, or the kind of file met.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Win32.h"

namespace {

// A thread's last error: the code, as Windows keeps one for each thread, and its cause here.
struct LastError {
    DWORD code = 0;
    int cause = 0;    // the errno behind the code; 0 when none
    mode_t kind = 0;  // the S_IFMT kind of a file refused for not being a regular one; else 0
};
thread_local LastError t_lastError;

// Records error (with the errno behind it, or the kind of file refused) for GetLastError and
// gives result, the failed call's answer.
template <class T>
T Fail(DWORD error, T result, int cause = 0, mode_t kind = 0)
{
    t_lastError = {error, cause, kind};
    return result;
}

// errno values and the codes Windows gives for the same cases, where one stands for the other;
// read both ways (ErrorOf, and the words for a code without a cause of its own).
constexpr struct {
    int cause;
    DWORD code;
} kCodes[] = {{ENOENT, ERROR_FILE_NOT_FOUND},
              {ENOENT, ERROR_PATH_NOT_FOUND},
              {ENOTDIR, ERROR_INVALID_NAME},
              {EACCES, ERROR_ACCESS_DENIED},
              {EPERM, ERROR_ACCESS_DENIED},
              {EROFS, ERROR_ACCESS_DENIED},
              {EEXIST, ERROR_FILE_EXISTS},
              {EEXIST, ERROR_ALREADY_EXISTS},
              {EWOULDBLOCK, ERROR_SHARING_VIOLATION},
              {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
              {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
              {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
              {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
              {ENOSPC, ERROR_DISK_FULL},
              {EBADF, ERROR_INVALID_HANDLE},
              {EFAULT, ERROR_NOACCESS},
              {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
              {EINVAL, ERROR_INVALID_PARAMETER},
              {EIO, ERROR_GEN_FAILURE}};

// path without the separators at its end ("/" stays).
std::string Trimmed(const char* path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    return trimmed;
}

// The folder that holds path's last component: "." for a bare name.
std::string FolderOf(const char* path)
{
    const std::string trimmed = Trimmed(path);
    const std::size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : trimmed.substr(0, slash);
}

// Whether path names a folder, or with folder false a file of another kind.
bool Exists(const std::string& path, bool folder)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) == folder;
}

// The code Windows gives where a call on fileName (null when it has none) failed with error.
DWORD ErrorOf(int error, const char* fileName = nullptr)
{
    switch (error) {
    // Windows tells a missing file in an existing folder from a missing folder on the way (an
    // empty name is the latter).
    case ENOENT:
        if (fileName == nullptr) return ERROR_FILE_NOT_FOUND;
        return *fileName != '\0' && Exists(FolderOf(fileName), true) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    // A file used as a folder; a file's name with a separator after it is not a valid name.
    case ENOTDIR: {
        const std::string trimmed = fileName == nullptr ? "" : Trimmed(fileName);
        const bool separatorAfter = fileName != nullptr && trimmed.size() < std::strlen(fileName);
        return separatorAfter && Exists(trimmed, false) ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND;
    }
    default:
        for (const auto& known : kCodes) {
            if (known.cause == error) return known.code;
        }
        return ERROR_GEN_FAILURE;
    }
}

// Fail with the code Windows gives where a call on fileName failed with error.
template <class T>
T FailWith(int error, T result, const char* fileName = nullptr)
{
    return Fail(ErrorOf(error, fileName), result, error);
}

// The words for code: for the thread's last failure, when code is its code, its own cause; else
// those of the first errno that stands for code; null for a code the file calls never give.
const char* WordsFor(DWORD code)
{
    const LastError& last = t_lastError;
    // Share modes are ours (flock): its errno would only say "try again".
    if (code == ERROR_SHARING_VIOLATION) return "Another open handle holds the file without sharing";
    if (code == last.code && last.kind != 0) {
        switch (last.kind) {
        case S_IFDIR: return std::strerror(EISDIR);
        case S_IFIFO: return "Is a FIFO (named pipe), not a regular file";
        case S_IFCHR:
        case S_IFBLK: return "Is a device, not a regular file";
        default: return "Is not a regular file";
        }
    }
    if (code == last.code && last.cause != 0) return std::strerror(last.cause);
    for (const auto& known : kCodes) {
        if (known.code == code) return std::strerror(known.cause);
    }
    return nullptr;
}

// INVALID_HANDLE_VALUE (-1) and null are both below 1.
int DescriptorOf(HANDLE file)
{
    const auto value = reinterpret_cast<std::intptr_t>(file);
    if (value <= 0 || value > 0x7FFFFFFF) return -1;
    return static_cast<int>(value - 1);
}

// The descriptor of an open handle that allows access (O_RDONLY or O_WRONLY); -1, with the error
// Windows gives, for no handle or one opened the other way.
int DescriptorFor(HANDLE file, int access)
{
    const int fd = DescriptorOf(file);
    const int flags = fd < 0 ? -1 : ::fcntl(fd, F_GETFL);
    if (flags < 0) return Fail(ERROR_INVALID_HANDLE, -1);
    if ((flags & O_ACCMODE) != O_RDWR && (flags & O_ACCMODE) != access) return Fail(ERROR_ACCESS_DENIED, -1);
    return fd;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1); }

// Sharing, as far as the code relies on it: a handle with share mode 0 keeps every other handle
// off the file, and is refused while any other handle has it open. flock models exactly that.
bool TakeShare(int fd, DWORD shareMode)
{
    return ::flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0 || FailWith(errno, false);
}

// Opens a regular file only (Windows opens neither directories nor devices through CreateFileA);
// O_NONBLOCK so that a FIFO in the file's place cannot stall the open before it is refused.
int OpenRegular(const char* fileName, int flags, struct stat* info)
{
    const int fd = ::open(fileName, flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) return FailWith(errno, -1, fileName);
    // Windows refuses a folder so; a FIFO or device, which it would open, is refused the same way.
    // The kind is kept for the words.
    const bool stated = ::fstat(fd, info) == 0;
    if (!stated || !S_ISREG(info->st_mode)) {
        const int cause = stated ? 0 : errno;
        ::close(fd);
        return Fail(ERROR_ACCESS_DENIED, -1, cause, stated ? info->st_mode & S_IFMT : 0);
    }
    return fd;
}

// Makes a rename in path's folder durable. A folder that cannot be synced is left so: the file
// was flushed before it was moved, so a crash then leaves the old file or the new one, each whole.
void SyncFolderOf(const char* path)
{
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    [[maybe_unused]] const int synced = ::fsync(fd);
    ::close(fd);
}

// What Windows calls a read-only file: Wine shows a file without any write permission bit so.
bool IsReadOnly(const struct stat& info) { return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

FILETIME FileTimeOf(const struct timespec& t)
{
    // 100-nanosecond steps since 1601-01-01, the Windows epoch, 11644473600 s before the Unix one.
    const std::uint64_t ticks = (static_cast<std::uint64_t>(t.tv_sec) + 11644473600u) * 10000000u +
                                static_cast<std::uint64_t>(t.tv_nsec) / 100u;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

// The three ways the library opens files: an existing file to read, a new file to write, or an
// existing file to write anew (emptied once this handle alone has it: never while another holds it
// unshared).
HANDLE zvx::win32::CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                               DWORD, HANDLE)
{
    if (fileName == nullptr) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    int flags = 0;
    const bool truncate = access == GENERIC_WRITE && disposition == TRUNCATE_EXISTING;
    if (access == GENERIC_READ && disposition == OPEN_EXISTING) {
        flags = O_RDONLY;
    } else if (access == GENERIC_WRITE && disposition == CREATE_NEW) {
        flags = O_WRONLY | O_CREAT | O_EXCL;
    } else if (truncate) {
        flags = O_WRONLY;
    } else {
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    struct stat info {};
    const int fd = OpenRegular(fileName, flags, &info);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    const bool opened =
        TakeShare(fd, shareMode) && (!truncate || ::ftruncate(fd, 0) == 0 || Fail(ErrorOf(errno), false));
    if (!opened) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return HandleOf(fd);
}

DWORD zvx::win32::GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    const int fd = DescriptorOf(file);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

// Without OVERLAPPED the count of bytes moved is required, as on Windows.
BOOL zvx::win32::ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED)
{
    *read = 0;
    const int fd = DescriptorFor(file, O_RDONLY);
    if (fd < 0) return FALSE;
    if (buffer == nullptr && toRead > 0) return Fail(ERROR_NOACCESS, FALSE);
    auto* out = static_cast<char*>(buffer);
    DWORD done = 0;
    while (done < toRead) {
        const ssize_t n = ::read(fd, out + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FailWith(errno, FALSE);
        if (n == 0) break;  // end of file: a short read, reported through *read
        done += static_cast<DWORD>(n);
    }
    *read = done;
    return TRUE;
}

BOOL zvx::win32::WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    const int fd = DescriptorFor(file, O_WRONLY);
    if (fd < 0) return FALSE;
    if (buffer == nullptr && toWrite > 0) return Fail(ERROR_NOACCESS, FALSE);
    const auto* in = static_cast<const char*>(buffer);
    DWORD done = 0;
    while (done < toWrite) {
        const ssize_t n = ::write(fd, in + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *written = done;
            return n < 0 ? FailWith(errno, FALSE) : Fail(ERROR_DISK_FULL, FALSE, ENOSPC);
        }
        done += static_cast<DWORD>(n);
    }
    *written = done;
    return TRUE;
}

BOOL zvx::win32::CloseHandle(HANDLE object)
{
    const int fd = DescriptorOf(object);
    if (fd < 0 || ::close(fd) != 0) return Fail(ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
}

// As Windows: only a handle open for writing is flushed.
BOOL zvx::win32::FlushFileBuffers(HANDLE file)
{
    const int fd = DescriptorFor(file, O_WRONLY);
    if (fd < 0) return FALSE;
    return ::fsync(fd) == 0 ? TRUE : FailWith(errno, FALSE);
}

BOOL zvx::win32::GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info)
{
    const int fd = DescriptorOf(file);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) return FALSE;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const auto index = static_cast<std::uint64_t>(st.st_ino);
    info->dwFileAttributes = IsReadOnly(st) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    // Linux's stat has no creation time; the last status change stands in for it.
    info->ftCreationTime = FileTimeOf(st.st_ctim);
    info->ftLastAccessTime = FileTimeOf(st.st_atim);
    info->ftLastWriteTime = FileTimeOf(st.st_mtim);
    // The device and inode numbers identify the file, as the volume serial and file index do.
    info->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev ^ (static_cast<std::uint64_t>(st.st_dev) >> 32));
    info->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    info->nFileSizeLow = static_cast<DWORD>(size);
    info->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
    info->nFileIndexHigh = static_cast<DWORD>(index >> 32);
    info->nFileIndexLow = static_cast<DWORD>(index);
    return TRUE;
}

DWORD zvx::win32::GetFinalPathNameByHandleA(HANDLE file, LPSTR filePath, DWORD filePathSize, DWORD flags)
{
    const int fd = DescriptorOf(file);
    struct stat st {};
    // Only the normalized path with its drive (here: the absolute path) is offered; a file that
    // has been deleted has no path left.
    if (fd < 0 || flags != (FILE_NAME_NORMALIZED | VOLUME_NAME_DOS) || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
        return 0;
    }
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX + 1];
    const ssize_t length = ::readlink(link, path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path || path[0] != '/') return 0;
    const auto needed = static_cast<DWORD>(length);
    // As Windows: the length without the terminating zero once written, the size with it when
    // the buffer is too small.
    if (filePath == nullptr || filePathSize <= needed) return needed + 1;
    std::memcpy(filePath, path, needed);
    filePath[needed] = '\0';
    return needed;
}

// As a save calls it: to a name where nothing is, the move on disk before the call returns.
BOOL zvx::win32::MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags)
{
    if (existing == nullptr || replacement == nullptr || flags != MOVEFILE_WRITE_THROUGH) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    // Nothing of that name may be replaced, not even a dangling link, nor one that appears between
    // a check and the move.
    int moved = ::renameat2(AT_FDCWD, existing, AT_FDCWD, replacement, RENAME_NOREPLACE);
    if (moved != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A filesystem that cannot refuse by itself: check, then move.
        struct stat info {};
        if (::lstat(replacement, &info) == 0) errno = EEXIST;
        moved = errno == ENOENT ? std::rename(existing, replacement) : -1;
    }
    if (moved != 0 && errno == EEXIST) return Fail(ERROR_ALREADY_EXISTS, FALSE, EEXIST);
    if (moved != 0) return FailWith(errno, FALSE, replacement);
    SyncFolderOf(replacement);
    return TRUE;
}

BOOL zvx::win32::ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID, LPVOID)
{
    // As a save calls it: no backup name, and errors carrying attributes over ignored.
    if (replaced == nullptr || replacement == nullptr || backup != nullptr ||
        flags != REPLACEFILE_IGNORE_MERGE_ERRORS) {
        return FALSE;
    }
    // As Windows: the replaced file must be a file that may be written and that no handle holds
    // unshared; the replacement a file that no other handle has open at all.
    struct stat old {};
    const int oldFd = OpenRegular(replaced, O_RDONLY, &old);
    if (oldFd < 0) return FALSE;
    struct stat fresh {};
    const int freshFd =
        IsReadOnly(old) || !TakeShare(oldFd, FILE_SHARE_READ) ? -1 : OpenRegular(replacement, O_RDONLY, &fresh);
    BOOL result = FALSE;
    if (freshFd >= 0 && TakeShare(freshFd, 0)) {
        // The replacement takes the replaced file's owner where that is allowed, then its
        // permission bits (a change of owner may clear the set-id bits).
        if (fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) {
            [[maybe_unused]] const int owned = ::fchown(freshFd, old.st_uid, old.st_gid);
        }
        [[maybe_unused]] const int merged = ::fchmod(freshFd, old.st_mode & 07777);
        result = std::rename(replacement, replaced) == 0 ? TRUE : FailWith(errno, FALSE, replaced);
        if (result) SyncFolderOf(replaced);
    }
    if (freshFd >= 0) ::close(freshFd);
    ::close(oldFd);
    return result;
}

BOOL zvx::win32::DeleteFileA(LPCSTR fileName)
{
    if (fileName == nullptr) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    return ::unlink(fileName) == 0 ? TRUE : FailWith(errno, FALSE, fileName);
}

DWORD zvx::win32::GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

DWORD zvx::win32::GetLastError() { return t_lastError.code; }

void zvx::win32::SetLastError(DWORD error) { t_lastError = {error, 0, 0}; }

// Only the system's words for a code, as the library asks for them.
DWORD zvx::win32::FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size, std::va_list*)
{
    if (flags != (FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS) || buffer == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    }
    const char* words = WordsFor(messageId);
    if (words == nullptr) return Fail(ERROR_MR_MID_NOT_FOUND, DWORD{0});
    const std::size_t length = std::strlen(words);
    if (length >= size) return Fail(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
    std::memcpy(buffer, words, length + 1);
    return static_cast<DWORD>(length);
}
