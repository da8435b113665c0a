// The click sound: kept only when the whole file holds the whole RIFF WAVE image its header
// describes (that it plays whole, before the click returns, the whole-program test hears).
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

}  // namespace
