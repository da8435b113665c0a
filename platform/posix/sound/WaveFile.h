// Reading a RIFF WAVE image held in memory: the PCM sounds the sample plays.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zvx::platform::sound {

struct WaveSound {
    int channels = 0;          // 1 or 2
    int samplesPerSecond = 0;  // 8000 to 192000
    int bitsPerSample = 0;     // 8 (unsigned) or 16 (signed, little-endian)
    const std::uint8_t* samples = nullptr;
    std::size_t size = 0;  // whole sample frames only
};

// Reads the RIFF WAVE image at data, of which no more than `available` bytes may be read. Every
// length in the image is checked against that bound and against the RIFF header's own size.
// False for anything that is not uncompressed 8- or 16-bit mono or stereo PCM.
bool ParseWave(const std::uint8_t* data, std::size_t available, WaveSound* sound);

}  // namespace zvx::platform::sound
