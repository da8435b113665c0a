// The click sound is kept only when the whole file is read and holds the whole RIFF WAVE image
// its header describes; anything else leaves clicks silent.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/ClickSound.h"
#include "support/TestData.h"

namespace {

std::string Wave(std::uint32_t riffSize, std::size_t totalBytes, const char* form = "WAVE")
{
    std::string bytes = "RIFF";
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((riffSize >> (8 * i)) & 0xFF);
    bytes += form;
    bytes.resize(totalBytes, '\x01');
    return bytes;
}

std::string WriteScratch(const std::string& bytes)
{
    const std::string path = zvx::test::ScratchPath("sound.wav");
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(ClickSoundTest, KeepsAWholeImageByteForByte)
{
    // Bytes after the RIFF image do no harm: the player never reads them.
    for (const std::size_t extra : {0, 7}) {
        const std::string bytes = Wave(40, 48 + extra);
        BYTE* sound = LoadClickSound(WriteScratch(bytes).c_str());
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(std::memcmp(sound, bytes.data(), bytes.size()), 0);
        std::free(sound);
    }
}

TEST(ClickSoundTest, RefusesWhatThePlayerCouldNotPlaySafely)
{
    EXPECT_EQ(LoadClickSound(zvx::test::ScratchPath("missing.wav").c_str()), nullptr);
    EXPECT_EQ(LoadClickSound(WriteScratch("").c_str()), nullptr);
    EXPECT_EQ(LoadClickSound(WriteScratch("RIFF").c_str()), nullptr);
    // The header promises more than the file holds.
    EXPECT_EQ(LoadClickSound(WriteScratch(Wave(41, 48)).c_str()), nullptr);
    EXPECT_EQ(LoadClickSound(WriteScratch(Wave(0xFFFFFFFFu, 48)).c_str()), nullptr);
    EXPECT_EQ(LoadClickSound(WriteScratch(Wave(40, 48, "AVI ")).c_str()), nullptr);
    std::string notRiff = Wave(40, 48);
    notRiff[0] = 'X';
    EXPECT_EQ(LoadClickSound(WriteScratch(notRiff).c_str()), nullptr);
}

}  // namespace
