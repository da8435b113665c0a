// Win32 file calls on POSIX descriptors. A HANDLE is the descriptor plus one, so that 0 (a null
// handle) and INVALID_HANDLE_VALUE (-1) are never valid descriptors.
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Win32.h"

namespace {

int DescriptorOf(HANDLE file)
{
    const auto value = reinterpret_cast<std::intptr_t>(file);
    if (file == INVALID_HANDLE_VALUE || value <= 0 || value > 0x7FFFFFFF) return -1;
    return static_cast<int>(value - 1);
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1); }

// Sharing, as far as the code relies on it: a handle with share mode 0 keeps every other handle
// off the file, and is refused while any other handle has it open. flock models exactly that.
bool TakeShare(int fd, DWORD shareMode)
{
    return ::flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
}

// Opens a regular file only (Windows opens neither directories nor devices through CreateFileA);
// O_NONBLOCK so that a FIFO in the file's place cannot stall the open before it is refused.
int OpenRegular(const char* fileName, int flags, struct stat* info)
{
    const int fd = ::open(fileName, flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) return -1;
    if (::fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD, HANDLE)
{
    if (fileName == nullptr) return INVALID_HANDLE_VALUE;
    const bool reading = (access & GENERIC_READ) != 0;
    const bool writing = (access & GENERIC_WRITE) != 0;
    int flags = 0;
    if (reading && writing) {
        flags |= O_RDWR;
    } else if (writing) {
        flags |= O_WRONLY;
    } else if (reading) {
        flags |= O_RDONLY;
    } else {
        return INVALID_HANDLE_VALUE;
    }
    switch (disposition) {
    case OPEN_EXISTING: break;
    // Not O_TRUNC: the file is emptied only after the sharing check, so that a file another
    // handle holds is refused untouched, as Windows refuses it.
    case CREATE_ALWAYS: flags |= O_CREAT; break;
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    default: return INVALID_HANDLE_VALUE;
    }
    struct stat info {};
    const int fd = OpenRegular(fileName, flags, &info);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    if (!TakeShare(fd, shareMode) || (disposition == CREATE_ALWAYS && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return HandleOf(fd);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    const int fd = DescriptorOf(file);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) return INVALID_FILE_SIZE;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED)
{
    if (read != nullptr) *read = 0;
    const int fd = DescriptorOf(file);
    if (fd < 0 || (buffer == nullptr && toRead > 0)) return FALSE;
    auto* out = static_cast<char*>(buffer);
    DWORD done = 0;
    while (done < toRead) {
        const ssize_t n = ::read(fd, out + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FALSE;
        if (n == 0) break;  // end of file: a short read, reported through *read
        done += static_cast<DWORD>(n);
    }
    if (read != nullptr) *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED)
{
    if (written != nullptr) *written = 0;
    const int fd = DescriptorOf(file);
    if (fd < 0 || (buffer == nullptr && toWrite > 0)) return FALSE;
    const auto* in = static_cast<const char*>(buffer);
    DWORD done = 0;
    while (done < toWrite) {
        const ssize_t n = ::write(fd, in + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (written != nullptr) *written = done;
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (written != nullptr) *written = done;
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    const int fd = DescriptorOf(object);
    if (fd < 0) return FALSE;
    return ::close(fd) == 0 ? TRUE : FALSE;
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags)
{
    if (existing == nullptr || replacement == nullptr) return FALSE;
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && ::access(replacement, F_OK) == 0) return FALSE;
    return std::rename(existing, replacement) == 0 ? TRUE : FALSE;
}

BOOL DeleteFileA(LPCSTR fileName)
{
    if (fileName == nullptr) return FALSE;
    return ::unlink(fileName) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }
