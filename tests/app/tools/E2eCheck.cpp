// What the end-to-end test compares the window and the sound card with.
//
//   zorvexa_e2e_check frame OUT.rgb WIDTH HEIGHT BACKGROUND.bmp CURSOR.bmp [mouse X Y | click X Y]...
//     The top-left WIDTH x HEIGHT of the frame WndProc composes after those messages, as raw RGB
//     (as `import -depth 8 rgb:` gives), which the window must show natively and under Wine.
//   zorvexa_e2e_check sound PLAYED.raw SOUND.wav
//     Whether the recording holds the WAV's samples (after its 44-byte header) after silence.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/AppState.h"

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

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "sound" && argc == 4) {
        const std::string recording = ReadAll(argv[2]), wave = ReadAll(argv[3]);
        const std::size_t at = wave.size() <= 44 ? std::string::npos : recording.find(wave.substr(44));
        if (at == std::string::npos)
            return Fail("the sound was not played (" + std::to_string(recording.size()) + " bytes recorded)");
        return recording.find_first_not_of('\0') < at ? Fail("something else was played first") : 0;  // 16-bit silence
    }
    if (command != "frame" || argc < 7 || (argc - 7) % 3 != 0 || !g_background.LoadBmp(argv[5]) ||
        !g_hand.LoadBmp(argv[6])) {
        return Fail(
            "usage: frame OUT.rgb WIDTH HEIGHT BACKGROUND.bmp CURSOR.bmp [mouse|click X Y]... | "
            "sound PLAYED.raw SOUND.wav");
    }
    g_hand.SetColorKey(0xFFFFFF);
    g_handHalfWidth = g_hand.GetWidth() / 2, g_handHalfHeight = g_hand.GetHeight() / 2;
    g_backBuffer.Create(g_background.GetWidth(), g_background.GetHeight(), 0);
    g_mouseX = -1;
    for (int i = 7; i < argc; i += 3) {
        const UINT message = std::string(argv[i]) == "mouse" ? WM_MOUSEMOVE : WM_LBUTTONDOWN;
        WndProc(nullptr, message, 1, MAKELPARAM(std::atoi(argv[i + 1]), std::atoi(argv[i + 2])));
    }
    WndProc(nullptr, WM_PAINT, 0, 0);
    std::ofstream out(argv[2], std::ios::binary);
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    for (int i = 0; i < width * height; ++i) {
        const Pixel c = g_backBuffer.GetColor(i % width, i / width);
        out << static_cast<char>(c >> 16) << static_cast<char>(c >> 8) << static_cast<char>(c);
    }
    return out.good() ? 0 : Fail("cannot write the frame");
}
