// RIFF WAVE images built in memory, a chunk at a time: the posix sound layer's reading of them (on
// Windows, winmm reads them), and the sample's click sound, kept only when the whole file holds the
// whole image its header describes (that it plays whole, before the click returns, the
// whole-program test hears).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/ClickSound.h"
#include "support/TestData.h"
#ifndef _WIN32
#include "platform/posix/sound/WaveFile.h"
#endif

namespace {

// `value` as `bytes` little-endian bytes.
std::string Le(std::uint32_t value, int bytes)
{
    return bytes == 0 ? std::string() : static_cast<char>(value & 0xFF) + Le(value >> 8, bytes - 1);
}

// The RIFF size is the true one, give or take `off`.
std::string Riff(const std::string& chunks, int off = 0)
{
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + static_cast<int>(chunks.size()) + off), 4) + "WAVE" + chunks;
}

TEST(ClickSound, IsKeptByteForByteOnlyWhenTheWholeImageIsThere)
{
    const std::string body(36, '\x01');  // 48 bytes in all
    const struct {
        std::string bytes;  // "-": no file
        bool kept;
    } cases[] = {
        {Riff(body), true},
        {Riff(body) + "1234567", true},  // bytes after the image do no harm
        {"-", false},
        {"", false},
        {"RIFF", false},
        {Riff(body, 1), false},
        {Riff(body, -41), false},  // a RIFF size of 0xFFFFFFFF
        {Riff(body).replace(8, 4, "AVI "), false},
        {"X" + Riff(body).substr(1), false},
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
// Padded to an even length unless told not to.
std::string Chunk(const char* id, const std::string& body, bool pad = true)
{
    return id + Le(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(pad ? body.size() % 2 : 0, '\0');
}

std::string Format(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits)
{
    return Chunk("fmt ", Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) +
                             Le(channels * bits / 8, 2) + Le(bits, 2));
}

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
#endif

}  // namespace
