#include "app/ClickSound.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kRiffHeaderSize = 12;  // "RIFF", the length of what follows, "WAVE"

// Whether the block, which holds at least the RIFF header, holds the whole RIFF WAVE image its
// header describes.
bool HoldsWholeWave(const BYTE* data, DWORD size)
{
    if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return false;
    const unsigned long long declared =
        static_cast<unsigned long long>(data[4]) | static_cast<unsigned long long>(data[5]) << 8 |
        static_cast<unsigned long long>(data[6]) << 16 | static_cast<unsigned long long>(data[7]) << 24;
    return declared + 8 <= size;
}

}  // namespace

BYTE* LoadClickSound(const char* fileName)
{
    const HANDLE file =
        ::CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD sizeHigh = 0;
    const DWORD size = ::GetFileSize(file, &sizeHigh);
    BYTE* block = nullptr;
    // Files of 4 GiB or more cannot be read with one call; they are no click sound anyway.
    if (size != INVALID_FILE_SIZE && sizeHigh == 0 && size >= kRiffHeaderSize) {
        block = static_cast<BYTE*>(std::malloc(size));
    }
    DWORD read = 0;
    const bool whole = block != nullptr && ::ReadFile(file, block, size, &read, nullptr) && read == size;
    ::CloseHandle(file);
    // Never keep a block that is partly read, or that would send the player past its end.
    if (!whole || !HoldsWholeWave(block, size)) {
        std::free(block);
        return nullptr;
    }
    return block;
}
