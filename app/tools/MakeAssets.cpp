// Draws the sample's default files into a folder: "osiri.bmp" (a 640 x 480 evening seascape with
// a grey stone tablet whose pure blue inlay the click effect leaves alone), "hand.bmp" (a
// pointing hand on pure white, an odd width) and "sound.wav" (a short synthesised click).
// Everything is computed here; nothing comes from elsewhere.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image/MemoryImage.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

Pixel Rgb(double r, double g, double b)
{
    auto channel = [](double v) { return static_cast<Pixel>(std::clamp(v, 0.0, 255.0)); };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

Pixel Mix(Pixel a, Pixel b, double t)
{
    auto at = [](Pixel p, int shift) { return static_cast<double>((p >> shift) & 0xFF); };
    return Rgb(at(a, 16) + (at(b, 16) - at(a, 16)) * t, at(a, 8) + (at(b, 8) - at(a, 8)) * t,
               at(a, 0) + (at(b, 0) - at(a, 0)) * t);
}

// ---- the background ----------------------------------------------------------------------------

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kHorizon = 300;
constexpr double kSunX = 452.0;
constexpr double kSunY = 262.0;
constexpr double kSunRadius = 58.0;
// The tablet: plain mid-grey 0x808080 with a pure blue inlay, so that a click there shows both
// halves of the click rule.
constexpr int kTabletLeft = 40;
constexpr int kTabletTop = 330;
constexpr int kTabletRight = 220;  // exclusive
constexpr int kTabletBottom = 450;
constexpr Pixel kStone = 0x808080;
constexpr Pixel kInlay = 0x0000FF;

double RidgeHeight(double x)
{
    return 70.0 + 38.0 * std::sin(x / 57.0) + 21.0 * std::sin(x / 23.0 + 1.3) + 9.0 * std::sin(x / 9.0 + 0.4);
}

bool IsInlay(int x, int y)
{
    const int lx = x - kTabletLeft;
    const int ly = y - kTabletTop;
    const int w = kTabletRight - kTabletLeft;
    const int h = kTabletBottom - kTabletTop;
    // A frame three pixels wide, eight pixels in from the edge...
    const bool inFrame = lx >= 8 && ly >= 8 && lx < w - 8 && ly < h - 8;
    const bool inInner = lx >= 11 && ly >= 11 && lx < w - 11 && ly < h - 11;
    if (inFrame && !inInner) return true;
    // ...and a row of diamonds inside it.
    const int cy = h / 2;
    for (int cx = 34; cx < w - 20; cx += 37) {
        if (std::abs(lx - cx) + std::abs(ly - cy) <= 12 && std::abs(lx - cx) + std::abs(ly - cy) >= 9) return true;
    }
    return false;
}

Pixel Sky(int x, int y)
{
    const double t = static_cast<double>(y) / kHorizon;
    Pixel sky = t < 0.55 ? Mix(0x1B1446, 0x8A3C78, t / 0.55) : Mix(0x8A3C78, 0xF79A4A, (t - 0.55) / 0.45);
    const double dx = x - kSunX;
    const double dy = y - kSunY;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance < kSunRadius) return Mix(0xFFE9A0, 0xFFB347, distance / kSunRadius);
    // A soft glow around the sun.
    const double glow = std::max(0.0, 1.0 - (distance - kSunRadius) / 140.0);
    sky = Mix(sky, 0xFFC070, 0.45 * glow * glow);
    // A few faint stars high up, where the sky is dark.
    std::uint32_t hash = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    hash = (hash ^ (hash >> 13)) * 1274126177u;
    if (t < 0.35 && (hash >> 20) % 700 == 0) sky = Mix(sky, 0xFFFFFF, 0.8);
    return sky;
}

Pixel Sea(int x, int y)
{
    const double depth = static_cast<double>(y - kHorizon) / (kHeight - kHorizon);
    Pixel sea = Mix(0x3A3F7A, 0x0C1A3A, depth);
    // The sun's path on the water: broken bands that widen towards the viewer.
    const double halfWidth = 22.0 + 90.0 * depth;
    const double across = std::abs(x - kSunX) / halfWidth;
    const double ripple = std::sin(y * 0.9 + std::sin(x * 0.05) * 2.0);
    if (across < 1.0 && ripple > 0.2)
        sea = Mix(sea, 0xFFC46A, (1.0 - across) * (0.4 + 0.4 * ripple) * (1.0 - 0.5 * depth));
    return sea;
}

Pixel Scene(int x, int y)
{
    if (x >= kTabletLeft && x < kTabletRight && y >= kTabletTop && y < kTabletBottom) {
        return IsInlay(x, y) ? kInlay : kStone;
    }
    // A headland on the left, dark against the sunset.
    const double ridge = kHorizon - RidgeHeight(x) * std::max(0.0, 1.0 - x / 330.0);
    if (y >= ridge && y < kHorizon + 6.0 * (1.0 - x / 330.0) && x < 330)
        return Mix(0x2A1830, 0x120A1C, (y - ridge) / 120.0);
    return y < kHorizon ? Sky(x, y) : Sea(x, y);
}

bool DrawBackground(const std::string& path)
{
    CMemoryImage image(kWidth, kHeight);
    if (!image.Create(kWidth, kHeight, 0)) return false;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) image.SetColor(x, y, Scene(x, y));
    }
    return image.SaveBmp(path.c_str());
}

// ---- the pointing hand -------------------------------------------------------------------------

constexpr int kHandWidth = 41;  // odd, so that half its width is rounded
constexpr int kHandHeight = 56;
constexpr Pixel kPaper = 0xFFFFFF;
constexpr Pixel kSkin = 0xF6C9A2;
constexpr Pixel kShade = 0xDDA27C;
constexpr Pixel kOutline = 0x5A2E14;

bool InCircle(double x, double y, double cx, double cy, double r)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool InRoundedBox(double x, double y, double left, double top, double right, double bottom, double r)
{
    if (x < left || x > right || y < top || y > bottom) return false;
    const double cx = std::clamp(x, left + r, right - r);
    const double cy = std::clamp(y, top + r, bottom - r);
    return InCircle(x, y, cx, cy, r);
}

bool InHand(int ix, int iy)
{
    const double x = ix + 0.5;
    const double y = iy + 0.5;
    const bool finger = InRoundedBox(x, y, 13.5, 1.0, 23.5, 32.0, 5.0);
    const bool palm = InRoundedBox(x, y, 9.0, 24.0, 37.0, 54.0, 7.0);
    const bool knuckles = InCircle(x, y, 28.0, 27.5, 5.0) || InCircle(x, y, 33.0, 30.0, 4.5);
    // The thumb lies folded along the left of the palm.
    const bool thumb = InRoundedBox(x, y, 3.0, 31.0, 16.0, 44.0, 5.5);
    return finger || palm || knuckles || thumb;
}

Pixel HandPixel(int x, int y)
{
    if (!InHand(x, y)) return kPaper;
    if (!InHand(x - 1, y) || !InHand(x + 1, y) || !InHand(x, y - 1) || !InHand(x, y + 1)) return kOutline;
    // Creases of the curled fingers and the fingernail.
    if ((y == 33 || y == 39 || y == 45) && x >= 25 && x <= 35) return kOutline;
    if (x >= 16 && x <= 21 && y >= 3 && y <= 8 && !(y == 3 && (x == 16 || x == 21))) return Mix(kSkin, 0xFFFFFF, 0.45);
    // Light from the upper left.
    return x + y > 62 ? kShade : kSkin;
}

bool DrawHand(const std::string& path)
{
    CMemoryImage image(kHandWidth, kHandHeight);
    if (!image.Create(kHandWidth, kHandHeight, kPaper)) return false;
    for (int y = 0; y < kHandHeight; ++y) {
        for (int x = 0; x < kHandWidth; ++x) image.SetColor(x, y, HandPixel(x, y));
    }
    return image.SaveBmp(path.c_str());
}

// ---- the click ---------------------------------------------------------------------------------

constexpr int kRate = 22050;
constexpr int kClickSamples = kRate * 70 / 1000;  // 70 ms

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

bool WriteClick(const std::string& path)
{
    // A woody "tock": two decaying partials with a short noisy attack.
    std::vector<std::int16_t> samples(kClickSamples);
    std::uint32_t noise = 12345;
    for (int i = 0; i < kClickSamples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        noise = noise * 1103515245u + 12345u;
        const double hiss = (static_cast<double>((noise >> 16) & 0x7FFF) / 16384.0 - 1.0) * std::exp(-t * 900.0);
        const double body = 0.7 * std::sin(2 * kPi * 1250.0 * t) * std::exp(-t * 70.0) +
                            0.3 * std::sin(2 * kPi * 2630.0 * t) * std::exp(-t * 120.0);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(20000.0 * (0.5 * hiss + body)));
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> file;
    PutTag(file, "RIFF");
    Put32(file, 4 + 8 + 16 + 8 + dataBytes);
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    Put32(file, 16);
    Put16(file, 1);  // PCM
    Put16(file, 1);  // mono
    Put32(file, kRate);
    Put32(file, kRate * 2);  // bytes per second
    Put16(file, 2);          // bytes per frame
    Put16(file, 16);         // bits per sample
    PutTag(file, "data");
    Put32(file, dataBytes);
    for (const std::int16_t s : samples) Put16(file, static_cast<std::uint16_t>(s));

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv)
{
    // Anything that looks like an option is one, so that a mistyped option never becomes a folder.
    const char* const usage =
        "usage: %s FOLDER\n  writes osiri.bmp, hand.bmp and sound.wav into FOLDER (which exists)\n";
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::printf(usage, argv[0]);
        return 0;
    }
    if (argc != 2 || first.empty() || first[0] == '-') {
        std::fprintf(stderr, usage, argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool ok = true;
    if (!DrawBackground(folder + "osiri.bmp")) {
        std::fprintf(stderr, "cannot write %sosiri.bmp\n", folder.c_str());
        ok = false;
    }
    if (!DrawHand(folder + "hand.bmp")) {
        std::fprintf(stderr, "cannot write %shand.bmp\n", folder.c_str());
        ok = false;
    }
    if (!WriteClick(folder + "sound.wav")) {
        std::fprintf(stderr, "cannot write %ssound.wav\n", folder.c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}
