// The sample's paint frame against its memory floor (two copies of the image), with neither
// Google Benchmark nor SDL, so that it builds for Windows as well: scripts/bench runs it under
// Wine, whose GDI then makes the two transfers. A comparison with the native figures, not a
// target. The floor's copies are the library's own copy kernel, since the C runtime's
// memcpy under Wine is several times slower than the memory. Frames and floors alternate, and the
// fastest of many tries counts.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "Pictures.h"
#include "core/RowKernels.h"

namespace {

template <class Run>
double FastestSeconds(Run run, int calls, double best)
{
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < calls; ++n) run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / calls;
    return std::min(best, seconds);
}

}  // namespace

int main()
{
    using namespace zvx::bench;
    std::printf("%-10s %12s %16s %14s\n", "frame", "frame us", "two copies us", "frame / floor");
    const int sizes[][2] = {{640, 480}, {1920, 1080}};
    for (const auto& size : sizes) {
        PaintFrame<CDibSectionImage> frame(size[0], size[1]);
        const std::size_t bytes = static_cast<std::size_t>(size[0]) * static_cast<std::size_t>(size[1]) * 4;
        const std::size_t words = bytes / sizeof(Pixel);
        std::vector<Pixel> a(words, 1), b(words, 2), c(words, 3);
        const auto copy = [bytes](const Pixel* from, Pixel* to) {
            zvx::RowKernels().copyBytes(reinterpret_cast<const std::uint8_t*>(from),
                                        reinterpret_cast<std::uint8_t*>(to), bytes, bytes > zvx::kStreamingBytes);
        };
        const auto floor = [&] {
            copy(a.data(), b.data());
            copy(b.data(), c.data());
        };
        frame.Paint();
        floor();
        double frameSeconds = 1e9;
        double floorSeconds = 1e9;
        const int calls = size[0] > 1000 ? 4 : 16;
        for (int round = 0; round < 60; ++round) {
            frameSeconds = FastestSeconds([&] { frame.Paint(); }, calls, frameSeconds);
            floorSeconds = FastestSeconds(floor, calls, floorSeconds);
        }
        std::printf("%4dx%-5d %12.1f %16.1f %14.2f\n", size[0], size[1], frameSeconds * 1e6, floorSeconds * 1e6,
                    frameSeconds / floorSeconds);
    }
    return 0;
}
