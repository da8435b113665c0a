#include "platform/posix/sound/WaveFile.h"

#include <cstring>

namespace zvx::platform::sound {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormatSize = 16;

std::uint32_t Read32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

bool ReadFormat(const std::uint8_t* chunk, std::size_t size, WaveSound* sound)
{
    if (size < kPcmFormatSize) return false;
    const std::uint16_t tag = Read16(chunk);
    const std::uint16_t channels = Read16(chunk + 2);
    const std::uint32_t rate = Read32(chunk + 4);
    const std::uint16_t blockAlign = Read16(chunk + 12);
    const std::uint16_t bits = Read16(chunk + 14);
    if (tag != kFormatPcm) return false;
    if (channels != 1 && channels != 2) return false;
    if (bits != 8 && bits != 16) return false;
    if (rate < 8000 || rate > 192000) return false;
    if (blockAlign != channels * bits / 8) return false;
    sound->channels = channels;
    sound->samplesPerSecond = static_cast<int>(rate);
    sound->bitsPerSample = bits;
    return true;
}

}  // namespace

bool ParseWave(const std::uint8_t* data, std::size_t available, WaveSound* sound)
{
    if (data == nullptr || sound == nullptr || available < 12) return false;
    if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return false;
    // The RIFF header says how much follows; never read past it or past what the caller has.
    const std::uint64_t riffEnd = std::uint64_t{Read32(data + 4)} + kChunkHeader;
    if (riffEnd > available) return false;  // the image is cut short
    if (riffEnd < 12) return false;         // too short even for its own "WAVE"
    const auto end = static_cast<std::size_t>(riffEnd);

    WaveSound found;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (end - at >= kChunkHeader) {
        const std::uint8_t* header = data + at;
        const std::uint32_t chunkSize = Read32(header + 4);
        at += kChunkHeader;
        if (chunkSize > end - at) return false;
        const std::uint8_t* body = data + at;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (haveFormat || !ReadFormat(body, chunkSize, &found)) return false;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (haveData) return false;
            found.samples = body;
            found.size = chunkSize;
            haveData = true;
        }
        // Chunks are padded to even lengths; a last chunk may lack its pad byte.
        at += chunkSize;
        if ((chunkSize & 1u) != 0 && at < end) ++at;
    }
    if (!haveFormat || !haveData) return false;
    const std::size_t frame =
        static_cast<std::size_t>(found.channels) * static_cast<std::size_t>(found.bitsPerSample / 8);
    found.size -= found.size % frame;
    *sound = found;
    return true;
}

}  // namespace zvx::platform::sound
