#include "Pictures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/Win32.h"

namespace zvx::bench {
namespace {

std::vector<std::string>& ScratchFiles()
{
    static std::vector<std::string> files;
    return files;
}

void RemoveScratchFiles()
{
    for (const std::string& file : ScratchFiles()) std::remove(file.c_str());
}

}  // namespace

void MakePicture(IPixelBuffer& image, int width, int height, std::uint32_t seed)
{
    image.Create(width, height, 0);
    std::uint32_t noise = seed * 2654435761u + 1;  // a cheap generator: pictures are made every run
    for (int y = 0; y < height; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            const auto r = static_cast<Pixel>((x * 255) / width);
            const auto g = static_cast<Pixel>((y * 255) / height);
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            row[x] = (r << 16) | (g << 8) | (noise & 0xFFu);
        }
    }
}

void MakeCursor(IPixelBuffer& image, int size)
{
    image.Create(size, size, 0);
    const int centre = size / 2;
    const int radius = size / 2 - 4;
    for (int y = 0; y < size; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < size; ++x) {
            const int dx = x - centre;
            const int dy = y - centre;
            const bool inside = dx * dx + dy * dy <= radius * radius;
            row[x] = inside ? (static_cast<Pixel>(x * 4) << 16) | (static_cast<Pixel>(y * 4) << 8) | 0x60u : kWhite;
        }
    }
}

std::string ScratchFile(const std::string& name)
{
    static bool registered = false;
    if (!registered) {
        std::atexit(RemoveScratchFiles);
        registered = true;
    }
    const char* dir = std::getenv("ZVX_BENCH_DIR");
    std::string path = std::string(dir != nullptr ? dir : "/tmp") + "/zvx-bench-" +
                       std::to_string(static_cast<long>(::GetCurrentProcessId())) + "-" + name;
    ScratchFiles().push_back(path);
    return path;
}

const BmpFile& Bmp(int width, int height)
{
    static std::map<std::pair<int, int>, BmpFile> files;
    auto found = files.find({width, height});
    if (found != files.end()) return found->second;

    BmpFile file;
    file.path = ScratchFile(std::to_string(width) + "x" + std::to_string(height) + ".bmp");
    CMemoryImage picture(1, 1);
    MakePicture(picture, width, height, 7);
    if (!picture.SaveBmp(file.path.c_str())) {
        std::fprintf(stderr, "cannot write %s\n", file.path.c_str());
        std::exit(1);
    }
    std::ifstream in(file.path, std::ios::binary);
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return files.emplace(std::make_pair(width, height), std::move(file)).first->second;
}

void Touch(void* memory, std::size_t bytes) { std::memset(memory, 0x5A, bytes); }

}  // namespace zvx::bench
