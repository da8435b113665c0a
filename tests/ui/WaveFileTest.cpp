// The posix sound layer's reading of in-memory WAVE images (on Windows, winmm reads them).
#ifndef _WIN32
#include <gtest/gtest.h>

#include "WaveImages.h"
#include "platform/posix/sound/WaveFile.h"

namespace {

using namespace zvx::test::wave;

TEST(WaveFile, ReadsPcmAndRefusesWhatItCannotPlayOrWouldReadPastItsEnd)
{
    const std::string fmt8 = Format(1, 1, 8000, 8), stereo = Format(1, 2, 44100, 16), eight = Chunk("data", "abcdefgh");
    const struct {
        const char* what;
        std::string image;
        std::string samples;  // "-": refused
        int channels, rate, bits;
    } cases[] = {
        {"stereo past another chunk", Riff(Chunk("LIST", "odd") + stereo + eight), "abcdefgh", 2, 44100, 16},
        {"odd data and its pad byte", Riff(fmt8 + Chunk("data", "xyz")), "xyz", 1, 8000, 8},
        {"a partial last frame", Riff(Format(1, 2, 22050, 16) + Chunk("data", "1234567")), "1234", 2, 22050, 16},
        // An odd last chunk may lack its pad byte; what follows the image is not read.
        {"no pad at the end", Riff(fmt8 + Chunk("data", "xyz", false)) + '\0' + Chunk("fmt ", ""), "xyz", 1, 8000, 8},
        {"float", Riff(Format(3, 1, 44100, 16) + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"three channels", Riff(Format(1, 3, 44100, 16) + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"24 bits", Riff(Format(1, 1, 44100, 24) + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"100 Hz", Riff(Format(1, 1, 100, 16) + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"no format", Riff(Chunk("data", "abcd")), "-", 0, 0, 0},
        {"no samples", Riff(fmt8), "-", 0, 0, 0},
        {"two formats", Riff(fmt8 + Chunk("fmt ", std::string(16, '\0')) + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"a short format", Riff(Chunk("fmt ", "short") + Chunk("data", "abcd")), "-", 0, 0, 0},
        {"a bare header", "RIFF", "-", 0, 0, 0},
        {"not WAVE", Riff(fmt8 + Chunk("data", "abcd")).replace(8, 4, "AVI "), "-", 0, 0, 0},
        {"RIFF size beyond the block", Riff(fmt8 + Chunk("data", "abcd"), 1), "-", 0, 0, 0},
        {"a chunk beyond the RIFF size", Riff(fmt8 + eight, -4), "-", 0, 0, 0},
        {"a chunk size near 4 GiB", Riff(fmt8 + Chunk("data", "ab")).replace(40, 4, "\xF8\xFF\xFF\xFF"), "-", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        zvx::platform::sound::WaveSound sound;
        const auto* image = reinterpret_cast<const std::uint8_t*>(c.image.data());
        const bool read = zvx::platform::sound::ParseWave(image, c.image.size(), &sound);
        EXPECT_EQ(c.samples != "-", read);
        if (!read) continue;
        EXPECT_EQ(c.samples, std::string(reinterpret_cast<const char*>(sound.samples), sound.size));
        EXPECT_EQ(c.channels, sound.channels);
        EXPECT_EQ(c.rate, sound.samplesPerSecond);
        EXPECT_EQ(c.bits, sound.bitsPerSample);
    }
}

}  // namespace
#endif
