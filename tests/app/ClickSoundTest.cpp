// The click sound: kept only when the whole file holds the whole RIFF WAVE image its header
// describes, and played from memory, synchronously, to its end.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/ClickSound.h"
#include "support/TestData.h"
#include "ui/WaveImages.h"

namespace {

using namespace zvx::test::wave;

TEST(ClickSound, IsKeptByteForByteOnlyWhenTheWholeImageIsThere)
{
    const std::string body(36, '\x01');  // 48 bytes in all
    const struct {
        std::string bytes;  // "-": no file
        bool kept;
    } cases[] = {
        {Riff(body), true},  {Riff(body) + "1234567", true},  // bytes after the image do no harm
        {"-", false},        {"", false},                     {"RIFF", false},
        {Riff(body, 1), false}, {Riff(body, -41), false},  // a RIFF size of 0xFFFFFFFF
        {Riff(body).replace(8, 4, "AVI "), false}, {"X" + Riff(body).substr(1), false},
    };
    for (const auto& c : cases) {
        const std::string path = zvx::test::ScratchPath("sound.wav");
        if (c.bytes != "-") std::ofstream(path, std::ios::binary) << c.bytes;
        BYTE* sound = LoadClickSound(path.c_str());
        EXPECT_EQ(c.kept, sound != nullptr) << c.bytes.size() << " bytes";
        EXPECT_TRUE(sound == nullptr || std::memcmp(sound, c.bytes.data(), c.bytes.size()) == 0);
        std::free(sound);
        std::remove(path.c_str());
    }
}

#ifndef _WIN32
// Through SDL's disk audio driver, which writes what it plays to a file.
TEST(ClickSound, PlaysWholeBeforeTheClickReturns)
{
    const std::string recording = zvx::test::ScratchPath("played.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);  // read when the audio system starts, at the first sound
    setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
    std::string samples;
    for (int i = 0; i < 800; ++i) samples += static_cast<char>(0x40 + i % 64);  // 100 ms at 8 kHz
    std::string image = Riff(Format(1, 1, 8000, 8) + Chunk("data", samples));
    g_sound = reinterpret_cast<BYTE*>(&image[0]);
    const auto start = std::chrono::steady_clock::now();
    ClickEffect(-1000, -1000);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(95));
    g_sound = nullptr;
    const std::string played = zvx::test::ReadWholeFile(recording);
    const std::size_t at = played.find(samples);
    ASSERT_NE(std::string::npos, at) << played.size() << " bytes recorded";
    EXPECT_EQ(std::string(at, '\x80'), played.substr(0, at)) << "only silence (0x80 at 8 bits) before it";
}
#endif

}  // namespace
