// What the end-to-end test compares the screen and the sound card with.
//
//   zorvexa_e2e_check frame OUT.rgb WIDTH HEIGHT BACKGROUND.bmp CURSOR.bmp [mouse X Y] [click X Y]...
//     Writes the WIDTH x HEIGHT top-left part of the frame the program should show, as raw 8-bit
//     RGB (what ImageMagick's `import -depth 8 rgb:` gives): the background, tinted once per
//     click, then the cursor picture blended at 0.7 centred on the mouse when its x exceeds 4.
//     The composition is the library's own (CopyFrom, BlendTo); the tint is worked out here,
//     from the rule, without the program's code. Each click's box must hold both kinds of pixel
//     the rule tells apart (0x808080 and pure blue) before the first click, or the picture proves
//     nothing.
//   zorvexa_e2e_check sound PLAYED.raw SOUND.wav
//     Whether the raw samples SDL's disk audio driver recorded hold the WAV's samples, after
//     nothing but silence.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/MemoryImage.h"

namespace {

constexpr Pixel kUntouched = 0x0000FF;
constexpr Pixel kProbeGrey = 0x808080;

int Fail(const std::string& why)
{
    std::fprintf(stderr, "zorvexa_e2e_check: %s\n", why.c_str());
    return 1;
}

// The click rule, from its description: red +2, green and blue -1, saturating; pure blue kept.
Pixel Tinted(Pixel c)
{
    if (c == kUntouched) return c;
    const int r = std::min(255, static_cast<int>((c >> 16) & 0xFF) + 2);
    const int g = std::max(0, static_cast<int>((c >> 8) & 0xFF) - 1);
    const int b = std::max(0, static_cast<int>(c & 0xFF) - 1);
    return static_cast<Pixel>(r << 16 | g << 8 | b);
}

int Frame(int argc, char** argv)
{
    if (argc < 7) return Fail("frame: too few arguments");
    const std::string out = argv[2];
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    CMemoryImage background(1, 1);
    CMemoryImage cursor(1, 1);
    if (!background.LoadBmp(argv[5])) return Fail(std::string("cannot load ") + argv[5]);
    if (!cursor.LoadBmp(argv[6])) return Fail(std::string("cannot load ") + argv[6]);
    cursor.SetColorKey(0xFFFFFF);

    bool clicked = false;
    bool haveMouse = false;
    int mouseX = -1;
    int mouseY = 0;
    for (int i = 7; i < argc; i += 3) {
        if (i + 2 >= argc) return Fail("frame: a position needs X and Y");
        const std::string what = argv[i];
        const int x = std::atoi(argv[i + 1]);
        const int y = std::atoi(argv[i + 2]);
        if (what == "mouse") {
            haveMouse = true;
            mouseX = x;
            mouseY = y;
        } else if (what == "click") {
            int grey = 0;
            int blue = 0;
            for (int row = y - 40; row < y + 40; ++row) {
                for (int column = x - 60; column < x + 60; ++column) {
                    if (column < 0 || row < 0 || column >= background.GetWidth() || row >= background.GetHeight()) continue;
                    const Pixel c = background.GetColor(column, row);
                    grey += c == kProbeGrey;
                    blue += c == kUntouched;
                    background.SetColor(column, row, Tinted(c));
                }
            }
            if (!clicked && (grey == 0 || blue == 0)) return Fail("the click box holds no 0x808080 or no pure blue pixel");
            clicked = true;
        } else {
            return Fail("frame: unknown item " + what);
        }
    }

    CMemoryImage frame(1, 1);
    if (!frame.CopyFrom(static_cast<const IImage*>(&background))) return Fail("cannot copy the background");
    if (haveMouse && mouseX > 4) {
        cursor.BlendTo(&frame, mouseX - cursor.GetWidth() / 2, mouseY - cursor.GetHeight() / 2, 0.7);
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Pixel c = frame.GetColor(x, y);
            rgb.push_back(static_cast<unsigned char>(c >> 16));
            rgb.push_back(static_cast<unsigned char>(c >> 8));
            rgb.push_back(static_cast<unsigned char>(c));
        }
    }
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    return file.good() ? 0 : Fail("cannot write " + out);
}

std::vector<unsigned char> ReadAll(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }

int Sound(int argc, char** argv)
{
    if (argc != 4) return Fail("sound: PLAYED.raw SOUND.wav");
    const std::vector<unsigned char> played = ReadAll(argv[2]);
    const std::vector<unsigned char> wav = ReadAll(argv[3]);
    // The test's own reading of a plain PCM file: the samples follow the "data" chunk header.
    std::size_t at = 12;
    while (at + 8 <= wav.size() && std::memcmp(&wav[at], "data", 4) != 0) at += 8 + Le32(&wav[at + 4]);
    if (at + 8 > wav.size()) return Fail("no data chunk in the WAV file");
    const std::size_t size = Le32(&wav[at + 4]);
    const unsigned char* samples = &wav[at + 8];
    // The device may have played silence before the sound began; nothing else may come first.
    const auto found = std::search(played.begin(), played.end(), samples, samples + size);
    if (found == played.end()) return Fail("the WAV's samples were not played (" + std::to_string(played.size()) + " bytes recorded)");
    // Bits per sample, in the "fmt " chunk that plain files put first.
    const unsigned char silence = wav.size() > 34 && wav[34] == 8 ? 0x80 : 0x00;
    if (std::any_of(played.begin(), found, [&](unsigned char b) { return b != silence; })) {
        return Fail("something else was played before the sound");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "frame") == 0) return Frame(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "sound") == 0) return Sound(argc, argv);
    return Fail("usage: frame ... | sound ...");
}
