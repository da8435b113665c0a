// sndPlaySoundA through SDL's disk audio driver, which writes what it plays to a file.
#ifndef _WIN32

#include <chrono>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "WaveBuilder.h"
#include "platform/Win32.h"
#include "support/TestData.h"

namespace {

using zvx::test::WaveBuilder;

// The driver must be chosen before the audio system starts, which is at the first sound.
const std::string& RecordingPath()
{
    static const std::string path = [] {
        const std::string p = zvx::test::ScratchPath("played.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", p.c_str(), 1);
        return p;
    }();
    return path;
}

TEST(SoundPlaybackTest, PlaysTheSamplesToTheEndBeforeReturning)
{
    const std::string& recording = RecordingPath();
    std::string samples;
    for (int i = 0; i < 800; ++i) samples += static_cast<char>(0x40 + i % 64);  // 100 ms at 8 kHz
    const std::string image = WaveBuilder().Format(1, 1, 8000, 8).Data(samples).Build();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(sndPlaySoundA(image.data(), SND_MEMORY), TRUE);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(95));

    const std::string played = zvx::test::ReadWholeFile(recording);
    const std::size_t at = played.find(samples);
    ASSERT_NE(at, std::string::npos) << played.size() << " bytes recorded";
    // Before the sound there is nothing but silence (0x80 for 8-bit samples).
    EXPECT_EQ(played.substr(0, at), std::string(at, '\x80'));
}

TEST(SoundPlaybackTest, RefusesMalformedImagesAndOtherModes)
{
    RecordingPath();
    const std::string good = WaveBuilder().Format(1, 1, 8000, 8).Data("abcd").Build();
    EXPECT_EQ(sndPlaySoundA(good.data(), SND_MEMORY | SND_ASYNC), FALSE);
    EXPECT_EQ(sndPlaySoundA("osiri.wav", SND_SYNC), FALSE);
    const std::string float32 = WaveBuilder().Format(3, 1, 8000, 32).Data("abcd").Build();
    EXPECT_EQ(sndPlaySoundA(float32.data(), SND_MEMORY), FALSE);
    const std::string notRiff = "RIFX" + good.substr(4);
    EXPECT_EQ(sndPlaySoundA(notRiff.data(), SND_MEMORY), FALSE);
    // Nothing is playing, so there is nothing to stop.
    EXPECT_EQ(sndPlaySoundA(nullptr, SND_MEMORY), TRUE);
}

}  // namespace

#endif
