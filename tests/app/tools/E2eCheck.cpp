// What the end-to-end test compares the window and the sound card with.
//
//   zorvexa_e2e_check frame OUT.rgb WIDTH HEIGHT BACKGROUND.bmp CURSOR.bmp [mouse X Y] [click X Y]...
//     The top-left WIDTH x HEIGHT of the frame the program should show, as raw 8-bit RGB (what
//     `import -depth 8 rgb:` gives): the background tinted once per click by the click rule,
//     worked out here, then the cursor picture blended at 0.7 centred on the mouse when its x
//     exceeds 4, by the library. A click box must hold both kinds of pixel the rule tells apart
//     (0x808080 and pure blue), or it proves nothing.
//   zorvexa_e2e_check sound PLAYED.raw SOUND.wav
//     Whether the recorded samples hold the WAV's (a plain PCM file: after its 44-byte header),
//     after nothing but silence.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "image/MemoryImage.h"

namespace {

int Fail(const std::string& why)
{
    std::fprintf(stderr, "zorvexa_e2e_check: %s\n", why.c_str());
    return 1;
}

std::string ReadAll(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int Frame(int argc, char** argv)
{
    CMemoryImage frame(1, 1);
    CMemoryImage cursor(1, 1);
    if (argc < 7 || (argc - 7) % 3 != 0 || !frame.LoadBmp(argv[5]) || !cursor.LoadBmp(argv[6])) return Fail("frame: bad arguments");
    int mouseX = -1, mouseY = 0, kinds = 3;
    for (int i = 7; i < argc; i += 3) {
        const int x = std::atoi(argv[i + 1]), y = std::atoi(argv[i + 2]);
        if (std::string(argv[i]) == "mouse") {
            mouseX = x;
            mouseY = y;
            continue;
        }
        for (int row = y - 40; row < y + 40; ++row) {
            for (int column = x - 60; column < x + 60; ++column) {
                const Pixel c = frame.GetColor(column, row);
                kinds &= ~((c == 0x808080 ? 1 : 0) | (c == 0x0000FF ? 2 : 0));
                if (c == 0x0000FF) continue;
                const int r = std::min(255, static_cast<int>(c >> 16) + 2);
                const int g = std::max(0, static_cast<int>((c >> 8) & 0xFF) - 1), b = std::max(0, static_cast<int>(c & 0xFF) - 1);
                frame.SetColor(column, row, static_cast<Pixel>(r << 16 | g << 8 | b));
            }
        }
        if (kinds != 0) return Fail("the click box holds no 0x808080 or no pure blue pixel");
    }
    cursor.SetColorKey(0xFFFFFF);
    if (mouseX > 4) cursor.BlendTo(&frame, mouseX - cursor.GetWidth() / 2, mouseY - cursor.GetHeight() / 2, 0.7);
    std::ofstream out(argv[2], std::ios::binary);
    for (int y = 0; y < std::atoi(argv[4]); ++y) {
        for (int x = 0; x < std::atoi(argv[3]); ++x) {
            const Pixel c = frame.GetColor(x, y);
            out << static_cast<char>(c >> 16) << static_cast<char>(c >> 8) << static_cast<char>(c);
        }
    }
    return out.good() ? 0 : Fail("cannot write the frame");
}

int Sound(const char* played, const char* wav)
{
    const std::string recording = ReadAll(played), samples = ReadAll(wav).substr(std::min<std::size_t>(44, ReadAll(wav).size()));
    const std::size_t at = samples.empty() ? std::string::npos : recording.find(samples);
    if (at == std::string::npos) return Fail("the sound was not played (" + std::to_string(recording.size()) + " bytes recorded)");
    // Silence is 0 for 16-bit samples.
    if (recording.find_first_not_of('\0') < at) return Fail("something else was played first");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "frame") return Frame(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "sound") return Sound(argv[2], argv[3]);
    return Fail("usage: frame ... | sound PLAYED.raw SOUND.wav");
}
