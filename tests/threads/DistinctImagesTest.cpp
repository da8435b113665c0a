// Images of their own on threads of their own: GDI lets any thread create, draw on and delete
// its objects, so four threads that each run the same fixed workload on their own images of
// both classes must each end with exactly the pixels that workload gives on one thread alone,
// and every GDI object they made must be gone afterwards.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/ImageTestKit.h"
#include "support/LiveObjects.h"
#include "support/TestData.h"

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 3;
// Large enough that a blend over the whole picture builds the blend table.
constexpr int kWidth = 144;
constexpr int kHeight = 120;
constexpr int kChurn = 400;

// FNV-1a over the sizes and every stored word of the images added.
class Checksum {
public:
    void Add(const IImage& image)
    {
        Mix(static_cast<std::uint32_t>(image.GetWidth()));
        Mix(static_cast<std::uint32_t>(image.GetHeight()));
        for (int y = 0; y < image.GetHeight(); ++y) {
            for (int x = 0; x < image.GetWidth(); ++x) Mix(image.GetPixel(x, y));
        }
    }
    std::uint64_t Value() const { return m_value; }

private:
    void Mix(std::uint32_t word)
    {
        for (int i = 0; i < 4; ++i) {
            m_value ^= (word >> (8 * i)) & 0xFFu;
            m_value *= 0x100000001B3ULL;
        }
    }
    std::uint64_t m_value = 0xCBF29CE484222325ULL;
};

struct Outcome {
    std::uint64_t checksum = 0;
    int failures = 0;  // operations that should have succeeded and did not
};

// Every operation that makes, draws with or frees GDI objects, or keeps a cache across calls,
// on images only this workload sees. `who` varies the pictures, offsets and alphas, so a
// thread that picked up another's state (a handle, a blend table) would end with other pixels.
Outcome RunWorkload(int who, const std::string& file)
{
    Outcome outcome;
    Checksum sum;
    auto check = [&](bool ok) { outcome.failures += ok ? 0 : 1; };
    const double alpha = 0.3 + 0.125 * who;
    for (int round = 0; round < kRounds; ++round) {
        const int seed = who * 7 + round;
        CMemoryImage picture(kWidth, kHeight);
        zvx::test::Paint(picture, [&](int x, int y) {
            return static_cast<Pixel>(((x * 3 + seed) & 0xFF) << 16 | ((y * 5 + seed * 9) & 0xFF) << 8 |
                                      ((x ^ y ^ seed) & 0xFF));
        });

        // .bmp files, into and out of both classes.
        check(picture.SaveBmp(file.c_str()));
        CDibSectionImage loaded;
        check(loaded.LoadBmp(file.c_str()));
        CMemoryImage reloaded(1, 1);
        check(reloaded.LoadBmp(file.c_str()));

        // Copies through both interfaces.
        CDibSectionImage copy;
        check(copy.CopyFrom(static_cast<const IImage*>(&picture)));
        CMemoryImage heapCopy(1, 1);
        check(heapCopy.CopyFrom(static_cast<const IPixelBuffer*>(&loaded)));

        // Every BltTo overload onto a DIB-section canvas, with and without a key; the
        // IGdiImage route draws through GDI onto the canvas's DC (one transfer unkeyed, a
        // SetPixel per pixel keyed).
        CDibSectionImage canvas;
        check(canvas.Create(kWidth + 16, kHeight + 12, 0x102030u + static_cast<Pixel>(seed)));
        check(picture.BltTo(static_cast<IImage*>(&canvas), 3, 5));
        check(reloaded.BltTo(static_cast<IPixelBuffer*>(&canvas), -7 + round, 9));
        check(loaded.BltTo(static_cast<IGdiImage*>(&canvas), 11, -2 - who));
        check(copy.BltTo(static_cast<IDibImage*>(&canvas), who, round));
        check(heapCopy.BltTo(static_cast<IImage*>(&canvas), 20, 4, 50 + who, 40));
        std::unique_ptr<IImage> keyed(picture.CreateSubImage(who * 5, round * 3, 40, 30));
        check(keyed != nullptr);
        if (keyed != nullptr) {
            keyed->SetColorKey(keyed->GetColor(1, 1));
            check(keyed->BltTo(static_cast<IGdiImage*>(&canvas), 30 + who, 30));
            check(keyed->BltTo(static_cast<IImage*>(&heapCopy), 5, 60));
        }

        // Blends over the whole picture, so each thread builds and keeps its own table.
        check(reloaded.BlendTo(&canvas, 4, 2, alpha));
        check(loaded.BlendTo(&heapCopy, -1, 1, 1.0 - alpha));

        // Tiles into an image and onto a DC, from both classes.
        std::unique_ptr<IImage> tile(loaded.CreateSubImage(who * 3, round * 5, 17, 13));
        check(tile != nullptr);
        if (tile != nullptr) {
            check(tile->TileTo(&heapCopy, 2 + who, 3, 100, 70));
            check(tile->DrawTiled(copy.GetDC(), 5, 7, 90, 61));
            check(picture.DrawTiled(canvas.GetDC(), kWidth - 20, 50, 35, 30));
            check(tile->DrawBlend(copy.GetDC(), 60 + round, 40, alpha));
        }

        // Lines and rectangles: a GDI pen on the DIB-section image, rows on the heap image.
        check(canvas.DrawLine(0, round, kWidth + 15, kHeight - who, 0xFF00FFu));
        check(canvas.FillRect(10 + who, 10, 40, 30 + round, 0x00FF80u));
        check(canvas.DrawRect(50, 60 + who, 90, 100, 0x8080FFu));
        check(heapCopy.DrawLine(kWidth - 1, 0, who, kHeight - 1, 0x123456u));
        check(heapCopy.FillRect(70, 5 + round, 100 + who, 25, 0x654321u));

        // Import from GDI bitmaps: through the screen DC and through the image's own DC.
        CMemoryImage imported(1, 1);
        check(imported.CreateFromBitmap(canvas.GetBitmap()));
        CDibSectionImage dibImported;
        check(dibImported.CreateFromBitmap(copy.GetBitmap()));

        // Re-creating an image frees its old section and DC.
        check(copy.Create(kWidth / 2, kHeight / 3, 0x0F0F0Fu));
        check(keyed == nullptr || copy.CopyFrom(keyed.get()));

        // Many short-lived objects at once on every thread: each Create makes a section, a DC
        // and a screen DC and frees the old section and DC; each line makes and frees a pen.
        CDibSectionImage churn;
        for (int i = 0; i < kChurn; ++i) {
            check(churn.Create(2 + i % 5, 2 + (i + who) % 3, 0x010203u * static_cast<Pixel>(i + seed)));
            check(churn.DrawLine(0, 0, 1 + i % 3, 1, 0x00FFFFu ^ static_cast<Pixel>(i)));
            sum.Add(churn);
        }

        for (const IImage* image : {static_cast<const IImage*>(&canvas), static_cast<const IImage*>(&heapCopy),
                                    static_cast<const IImage*>(&imported), static_cast<const IImage*>(&dibImported),
                                    static_cast<const IImage*>(&copy)}) {
            sum.Add(*image);
        }
    }
    outcome.checksum = sum.Value();
    return outcome;
}

TEST(DistinctImages, FourThreadsGetWhatOneThreadGets)
{
    std::vector<std::string> files;
    for (int i = 0; i < kThreads; ++i) files.push_back(zvx::test::ScratchPath("thread" + std::to_string(i) + ".bmp"));

    // One thread alone, each workload in turn; this also makes whatever is made once and kept
    // (stock objects), so the count below starts after it.
    std::vector<Outcome> alone;
    for (int i = 0; i < kThreads; ++i) alone.push_back(RunWorkload(i, files[i]));
    for (int i = 0; i < kThreads; ++i) {
        EXPECT_EQ(0, alone[i].failures) << "workload " << i << " on one thread";
        for (int j = 0; j < i; ++j) EXPECT_NE(alone[j].checksum, alone[i].checksum) << "workloads " << j << ", " << i;
    }
    const std::optional<long> before = zvx::test::LiveGdiObjects();

    std::vector<Outcome> together(kThreads);
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            // All start at once, so their GDI calls overlap as much as they can.
            waiting.fetch_sub(1);
            while (waiting.load() > 0) std::this_thread::yield();
            together[i] = RunWorkload(i, files[i]);
        });
    }
    for (std::thread& thread : threads) thread.join();

    for (int i = 0; i < kThreads; ++i) {
        EXPECT_EQ(alone[i].failures, together[i].failures) << "thread " << i;
        EXPECT_EQ(alone[i].checksum, together[i].checksum) << "thread " << i << " drew other pixels";
    }
    if (before) {
        EXPECT_EQ(*before, zvx::test::LiveGdiObjects().value_or(-1)) << "GDI objects left behind";
    } else {
        std::printf("not checked: this system does not count GDI objects (Wine 8: GetGuiResources gives 0)\n");
    }
    for (const std::string& file : files) std::remove(file.c_str());
}

}  // namespace
