// The WAVE reader on arbitrary bytes, in a block of exactly their size: what it reports lies
// within it and is playable. sndPlaySoundA is asked only what it must refuse or find silent.
#include <vector>

#include "Fuzz.h"
#include "platform/Win32.h"
#include "platform/posix/sound/WaveFile.h"

ZVX_FUZZ_TARGET(FuzzWave)
{
    const std::vector<std::uint8_t> block(data, data + size);
    const std::uint8_t* begin = block.data();
    zvx::platform::sound::WaveSound sound;
    sound.channels = 7;
    if (zvx::platform::sound::ParseWave(begin, size, &sound)) {
        ZVX_REQUIRE((sound.channels == 1 || sound.channels == 2) &&
                    (sound.bitsPerSample == 8 || sound.bitsPerSample == 16));
        ZVX_REQUIRE(sound.samplesPerSecond >= 8000 && sound.samplesPerSecond <= 192000);
        ZVX_REQUIRE(sound.samples >= begin + 12 && sound.samples <= begin + size);
        ZVX_REQUIRE(sound.size <= static_cast<std::size_t>(begin + size - sound.samples));
        ZVX_REQUIRE(sound.size % static_cast<std::size_t>(sound.channels * sound.bitsPerSample / 8) == 0);
    } else {
        ZVX_REQUIRE(sound.channels == 7);  // a refused image leaves the result alone
    }
    // The player reads as far as the RIFF header says, and is handed only blocks that hold that.
    const std::uint64_t declared =
        size < 8 ? 0 : (begin[4] | begin[5] << 8 | begin[6] << 16 | std::uint64_t{begin[7]} << 24) + 8;
    if (size >= 12 && declared <= size) {
        zvx::platform::sound::WaveSound wave;
        const bool playable = zvx::platform::sound::ParseWave(begin, static_cast<std::size_t>(declared), &wave);
        const auto* image = reinterpret_cast<LPCSTR>(begin);
        ZVX_REQUIRE((playable && wave.size > 0) || ::sndPlaySoundA(image, SND_MEMORY) == (playable ? TRUE : FALSE));
        ZVX_REQUIRE(::sndPlaySoundA(image, SND_MEMORY | SND_ASYNC) == FALSE);  // only synchronous playing
    }
    return 0;
}
