// Times one frame of the sample's paint road against the memory floor, with nothing but the
// library, so that the Windows build has it too: under Wine the frame goes through Wine's GDI
// (scripts/bench --wine). The frame is FrameBench's: the background onto the back buffer
// (BltTo an IDibImage: one SetDIBitsToDevice into its memory DC), the 64 x 64 cursor keyed on
// white blended at 0.7, the back buffer onto a DC (another DIB section's memory DC stands in
// for the paint DC). The floor is two memcpys of the image. Both run in this one process,
// interleaved, and the fastest repetition of each counts.
//
//   zvx_frametimer [rounds]      prints one line per size: frame, floor, frame / floor
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/DibSectionImage.h"

namespace {

constexpr int kCursorSize = 64;
constexpr double kCursorAlpha = 0.7;
constexpr Pixel kWhite = 0x00FFFFFFu;

// A smooth picture with some noise in it, every pixel written.
void MakePicture(CDibSectionImage& image, int width, int height)
{
    image.Create(width, height, 0);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            row[x] = (static_cast<Pixel>(x * 255 / width) << 16) | (static_cast<Pixel>(y * 255 / height) << 8) |
                     (noise >> 24);
        }
    }
}

// A disc of colours on white, the cursor's key colour.
void MakeCursor(CDibSectionImage& image)
{
    image.Create(kCursorSize, kCursorSize, 0);
    const int centre = kCursorSize / 2;
    const int radius = kCursorSize / 2 - 4;
    for (int y = 0; y < kCursorSize; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < kCursorSize; ++x) {
            const int dx = x - centre;
            const int dy = y - centre;
            const bool inside = dx * dx + dy * dy <= radius * radius;
            row[x] = inside ? (static_cast<Pixel>(x * 4) << 16) | (static_cast<Pixel>(y * 4) << 8) | 0x60u : kWhite;
        }
    }
    image.SetColorKey(static_cast<ColorKey>(kWhite));
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Seconds per run of body, over `runs` runs in a row.
template <class Body>
double TimePerRun(Body&& body, int runs)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) body();
    return Seconds(std::chrono::steady_clock::now() - start) / runs;
}

void TimeFrame(int width, int height, int rounds)
{
    CDibSectionImage background;
    MakePicture(background, width, height);
    CDibSectionImage cursor;
    MakeCursor(cursor);
    CDibSectionImage backBuffer;
    backBuffer.Create(width, height, 0);
    CDibSectionImage window;
    window.Create(width, height, 0);
    const HDC paintDC = window.GetDC();
    const int at[2] = {width / 2 - kCursorSize / 2, height / 2 - kCursorSize / 2};

    // The floor's buffers, every page written before timing.
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    std::vector<unsigned char> first(bytes, 1);
    std::vector<unsigned char> second(bytes, 2);
    std::vector<unsigned char> third(bytes, 3);
    volatile unsigned char sink = 0;

    const auto frame = [&] {
        background.BltTo(static_cast<IDibImage*>(&backBuffer), 0, 0);
        cursor.BlendTo(static_cast<IImage*>(&backBuffer), at[0], at[1], kCursorAlpha);
        backBuffer.Draw(paintDC, 0, 0);
    };
    const auto floor = [&] {
        std::memcpy(second.data(), first.data(), bytes);
        std::memcpy(third.data(), second.data(), bytes);
        sink = static_cast<unsigned char>(sink + third[bytes / 2]);
    };
    // About a tenth of a second per round on either side.
    frame();
    const auto probe = std::chrono::steady_clock::now();
    frame();
    const double once = std::max(Seconds(std::chrono::steady_clock::now() - probe), 1e-6);
    const int runs = std::max(1, static_cast<int>(0.1 / once));
    double bestFrame = 1e30;
    double bestFloor = 1e30;
    for (int round = 0; round < rounds; ++round) {
        bestFrame = std::min(bestFrame, TimePerRun(frame, runs));
        bestFloor = std::min(bestFloor, TimePerRun(floor, runs));
    }
    const double pixels = static_cast<double>(width) * height;
    std::printf("%4d x %-4d  frame %9.1f us %8.1f Mpix/s   floor %9.1f us   frame / floor %5.2f\n", width,
                height, bestFrame * 1e6, pixels / bestFrame / 1e6, bestFloor * 1e6, bestFrame / bestFloor);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("frame: background onto the back buffer through GDI, 64 x 64 keyed cursor blended at 0.7,\n"
                "back buffer onto a DC; floor: two memcpys of the image; fastest of %d rounds\n",
                rounds);
    TimeFrame(640, 480, rounds);
    TimeFrame(1920, 1080, rounds);
    std::fflush(stdout);
    return 0;
}
