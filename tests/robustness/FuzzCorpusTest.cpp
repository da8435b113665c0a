// The fuzzers' corpora and the BMP conformance files replayed through the fuzzers' entry points.
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "support/TestData.h"

int FuzzLoadBmp(const std::uint8_t* data, std::size_t size);
int FuzzWave(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(int (*entry)(const std::uint8_t*, std::size_t), std::initializer_list<std::string> folders, int atLeast)
{
    int files = 0;
    for (const std::string& folder : folders) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            const std::string bytes = zvx::test::ReadWholeFile(file.path().string());
            try {
                entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            } catch (const std::logic_error& failed) {
                ADD_FAILURE() << file.path().string() << ": " << failed.what();
            }
            ++files;
        }
    }
    EXPECT_GE(files, atLeast) << "the whole corpus was found";
}

const std::string kCorpus = ZVX_FUZZ_CORPUS_DIR, kSuite = zvx::test::DataPath("bmpsuite/");

TEST(FuzzCorpus, LoadBmp)
{
    Replay(FuzzLoadBmp, {kCorpus + "/fuzz_load_bmp", kSuite + "g", kSuite + "q", kSuite + "b", kSuite + "x"}, 100);
}
#ifdef ZVX_FUZZ_WAVE  // the WAVE reader is the Linux sound layer's, built with the sample; Windows plays sounds itself
TEST(FuzzCorpus, Wave) { Replay(FuzzWave, {kCorpus + "/fuzz_wave"}, 10); }
#endif

}  // namespace
