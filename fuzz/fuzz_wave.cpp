// The WAVE reading behind sndPlaySoundA on arbitrary bytes, from a block of exactly the input's
// size so any read past it shows. What the reader reports must lie within the block and be
// playable as described; sndPlaySoundA itself is asked about every image it would refuse or find
// silent (playing a real sound would block for its length).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/Win32.h"
#include "platform/posix/sound/WaveFile.h"

namespace {

using zvx::platform::sound::ParseWave;
using zvx::platform::sound::WaveSound;

void Require(bool condition)
{
    if (!condition) std::abort();
}

std::uint64_t DeclaredLength(const std::uint8_t* image)
{
    return std::uint64_t{image[4]} | std::uint64_t{image[5]} << 8 | std::uint64_t{image[6]} << 16 |
           std::uint64_t{image[7]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto* block = static_cast<std::uint8_t*>(std::malloc(size == 0 ? 1 : size));
    if (size > 0) std::memcpy(block, data, size);

    WaveSound sound;
    if (ParseWave(block, size, &sound)) {
        Require(sound.channels == 1 || sound.channels == 2);
        Require(sound.bitsPerSample == 8 || sound.bitsPerSample == 16);
        Require(sound.samplesPerSecond >= 8000 && sound.samplesPerSecond <= 192000);
        Require(sound.samples >= block + 12 && sound.samples <= block + size);
        Require(sound.size <= static_cast<std::size_t>(block + size - sound.samples));
        Require(sound.size % static_cast<std::size_t>(sound.channels * sound.bitsPerSample / 8) == 0);
    }
    // A refused read never touches the result.
    WaveSound untouched;
    untouched.channels = 7;
    if (!ParseWave(block, size, &untouched)) Require(untouched.channels == 7);

    // The player reads as far as the RIFF header says; the sample program hands it only blocks
    // that hold that much (and at least the 12-byte RIFF header).
    if (size >= 12 && DeclaredLength(block) + 8 <= size) {
        WaveSound wave;
        const bool playable = ParseWave(block, static_cast<std::size_t>(DeclaredLength(block) + 8), &wave);
        const auto* image = reinterpret_cast<LPCSTR>(block);
        if (!playable) Require(::sndPlaySoundA(image, SND_MEMORY) == FALSE);
        if (playable && wave.size == 0) Require(::sndPlaySoundA(image, SND_MEMORY) == TRUE);
        // Only synchronous playing from memory is offered.
        Require(::sndPlaySoundA(image, SND_MEMORY | SND_ASYNC) == FALSE);
    }
    std::free(block);
    return 0;
}
