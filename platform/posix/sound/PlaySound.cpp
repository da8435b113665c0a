// sndPlaySoundA for in-memory WAVE images, played synchronously through SDL audio.
#include <algorithm>
#include <cstring>

#include <SDL.h>

#include "platform/Win32.h"
#include "platform/posix/sound/WaveFile.h"
#include "platform/posix/user/Sdl.h"

namespace {

using zvx::platform::sound::WaveSound;

bool PlayToEnd(const WaveSound& sound)
{
    if (!zvx::platform::user::EnsureAudio()) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = sound.samplesPerSecond;
    wanted.format = sound.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(sound.channels);
    wanted.samples = 1024;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device wants.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) return false;
    bool queued = true;
    std::size_t offset = 0;
    while (queued && offset < sound.size) {
        // SDL takes 32-bit lengths; feed larger sounds in pieces.
        const std::size_t piece = std::min<std::size_t>(sound.size - offset, 1u << 30);
        queued = SDL_QueueAudio(device, sound.samples + offset, static_cast<Uint32>(piece)) == 0;
        offset += piece;
    }
    if (queued) {
        SDL_PauseAudioDevice(device, 0);
        while (SDL_GetQueuedAudioSize(device) > 0) SDL_Delay(5);
        // The queue is empty once its last samples are in the device's buffer: give that buffer
        // time to be heard before the device closes.
        SDL_Delay(static_cast<Uint32>(2000u * obtained.samples / static_cast<Uint32>(obtained.freq) + 10));
    }
    SDL_CloseAudioDevice(device);
    return queued;
}

}  // namespace

BOOL zvx::win32::sndPlaySoundA(LPCSTR sound, UINT flags)
{
    // Null asks to stop what is playing; nothing plays in the background here.
    if (sound == nullptr) return TRUE;
    // Synchronous playing from memory is all the sample asks for.
    if (flags != SND_MEMORY) return FALSE;
    const auto* image = reinterpret_cast<const std::uint8_t*>(sound);
    // Only the RIFF header can say how long the block is: the caller vouches that it holds the
    // whole image the header describes, and nothing beyond that is read.
    if (std::memcmp(image, "RIFF", 4) != 0) return FALSE;
    const std::uint64_t length = std::uint64_t{image[4]} | std::uint64_t{image[5]} << 8 |
                                 std::uint64_t{image[6]} << 16 | std::uint64_t{image[7]} << 24;
    WaveSound wave;
    if (!zvx::platform::sound::ParseWave(image, static_cast<std::size_t>(length + 8), &wave)) return FALSE;
    if (wave.size == 0) return TRUE;
    return PlayToEnd(wave) ? TRUE : FALSE;
}
