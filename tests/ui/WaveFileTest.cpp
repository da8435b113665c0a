// The posix sound layer's reading of in-memory WAVE images. (On Windows, winmm reads them.)
#ifndef _WIN32

#include <gtest/gtest.h>

#include "WaveBuilder.h"
#include "platform/posix/sound/WaveFile.h"

namespace {

using zvx::platform::sound::ParseWave;
using zvx::platform::sound::WaveSound;
using zvx::test::WaveBuilder;

bool Parse(const std::string& image, WaveSound* sound, std::size_t available = std::string::npos)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.data());
    return ParseWave(bytes, available == std::string::npos ? image.size() : available, sound);
}

TEST(WaveFileTest, ReadsPcmFormatsAndFindsTheSamplesPastOtherChunks)
{
    WaveSound sound;
    const std::string stereo = WaveBuilder().Chunk("LIST", "odd").Format(1, 2, 44100, 16).Data("abcdefgh").Build();
    ASSERT_TRUE(Parse(stereo, &sound));
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.samplesPerSecond, 44100);
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sound.samples), sound.size), "abcdefgh");

    const std::string mono = WaveBuilder().Format(1, 1, 8000, 8).Data("xyz").Build();
    ASSERT_TRUE(Parse(mono, &sound));
    EXPECT_EQ(sound.bitsPerSample, 8);
    EXPECT_EQ(sound.size, 3u);  // its pad byte is not a sample
}

TEST(WaveFileTest, DropsAPartialLastFrame)
{
    WaveSound sound;
    ASSERT_TRUE(Parse(WaveBuilder().Format(1, 2, 22050, 16).Data("1234567").Build(), &sound));
    EXPECT_EQ(sound.size, 4u);
}

TEST(WaveFileTest, RefusesWhatItCannotPlay)
{
    WaveSound sound;
    const std::string samples = "abcd";
    EXPECT_FALSE(Parse(WaveBuilder().Format(3, 1, 44100, 16).Data(samples).Build(), &sound));   // float
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 3, 44100, 16).Data(samples).Build(), &sound));   // 3 channels
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 1, 44100, 24).Data(samples).Build(), &sound));   // 24-bit
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 1, 100, 16).Data(samples).Build(), &sound));     // 100 Hz
    EXPECT_FALSE(Parse(WaveBuilder().Data(samples).Build(), &sound));                           // no format
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 1, 8000, 8).Build(), &sound));                   // no samples
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 1, 8000, 8).Chunk("fmt ", std::string(16, '\0')).Data(samples).Build(), &sound));
    EXPECT_FALSE(Parse(WaveBuilder().Chunk("fmt ", "short").Data(samples).Build(), &sound));
    EXPECT_FALSE(Parse("RIFF", &sound));
    std::string notWave = WaveBuilder().Format(1, 1, 8000, 8).Data(samples).Build();
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(Parse(notWave, &sound));
}

TEST(WaveFileTest, NeverReadsPastTheRiffSizeOrTheBlock)
{
    WaveSound sound;
    const std::string whole = WaveBuilder().Format(1, 1, 8000, 8).Data("abcdefgh").Build();
    // The RIFF header claims more than there is.
    EXPECT_FALSE(Parse(whole, &sound, whole.size() - 1));
    // The RIFF size ends inside the data chunk: the chunk overruns the image.
    EXPECT_FALSE(Parse(WaveBuilder().Format(1, 1, 8000, 8).Data("abcdefgh").Build(4 + 24 + 8 + 4), &sound));
    // A chunk size near 4 GiB must not wrap around.
    std::string huge = WaveBuilder().Format(1, 1, 8000, 8).Chunk("data", "ab").Build();
    huge.replace(huge.size() - 6, 4, std::string("\xF8\xFF\xFF\xFF", 4));
    EXPECT_FALSE(Parse(huge, &sound));
}

}  // namespace

#endif
