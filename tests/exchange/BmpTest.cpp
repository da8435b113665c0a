// .bmp files: what SaveBmp writes, and what LoadBmp and LoadFromMemory take and refuse.
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/BmpFiles.h"
#include "support/TestData.h"

namespace {

using namespace zvx::test;
using zvx::BmpVerdict, zvx::DiagnoseBmp, zvx::Describe;

ZVX_IMAGE_TEST_SUITE(BmpTest);

// The system's words for a code: on Windows FormatMessage's (without the line break they end with); natively
// the words a table row expects.
#ifdef _WIN32
std::string SystemWords(unsigned long code, const char*)
{
    char words[512] = "";
    std::string said(words, ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                             0, words, sizeof words, nullptr));
    while (!said.empty() && std::isspace(static_cast<unsigned char>(said.back())) != 0) said.pop_back();
    return said;
}
#else
std::string SystemWords(unsigned long, const char* words) { return words; }
#endif

TYPED_TEST(BmpTest, SavedFilesHoldTheLayoutAndLoadBackAsColours)
{
    for (const auto& [w, h] : {std::pair{3, 2}, std::pair{1, 1}, std::pair{4, 1}, std::pair{5, 3}}) {
        auto image = Make<TypeParam>(w, h);
        Paint(*image, [](int x, int y) { return 0xAB000000u | Pattern(x, y) << 4 | (x * 40u + 1) << 16; });
        const std::string path = ScratchPath("saved.bmp");
        ASSERT_TRUE(image->SaveBmp(path.c_str()));
        EXPECT_EQ(BmpFile(w, h, [&](int x, int y) { return image->GetPixel(x, y); }), ReadWholeFile(path))
            << w << "x" << h;
        auto loaded = Make<TypeParam>(1, 1);
        loaded->SetColorKey(0x010203);
        ASSERT_TRUE(loaded->LoadBmp(path.c_str()));
        EXPECT_EQ(Over(*image, [](int, int, Pixel p) { return std::optional<Pixel>(p & 0xFFFFFF); }),
                  PixelsOf(*loaded));
        EXPECT_EQ(0x010203, loaded->GetColorKey()) << "loading leaves the key alone";
    }
}

// Each load also by the sized LoadFromMemory, from a block of exactly the file's bytes (nothing past
// them to read), and each answered by DiagnoseBmp for the file and for the bytes.
TYPED_TEST(BmpTest, LoadingTakesWhatTheFieldsSayAndRefusesTheRestLeavingTheImageSayingWhy)
{
    // The reader uses only the offset, the size and the bit count: no magic, rows behind a gap
    // and junk after them are fine.
    std::string gap = PatternFile({{10, 60}});
    gap.insert(54, "gapgap");
    gap[0] = 'X';
    const std::pair<const char*, std::string> good[] = {{"plain", PatternFile()}, {"gap", gap + "trailing"}};
    auto colours = Make<CMemoryImage>(3, 2);
    Paint(*colours, PatternColour);
    for (const auto& [what, bytes] : good) {
        SCOPED_TRACE(what);
        const std::string path = ScratchPath("good.bmp");
        const std::vector<char> exact(bytes.begin(), bytes.end());
        std::ofstream(path, std::ios::binary) << bytes;
        auto image = Make<TypeParam>(1, 1), fromMemory = Make<TypeParam>(1, 1), sized = Make<TypeParam>(1, 1);
        ASSERT_TRUE(image->LoadBmp(path.c_str()) && fromMemory->LoadFromMemory(bytes.data(), IMAGE_FORMAT_BMPFILE) &&
                    sized->LoadFromMemory(exact.data(), exact.size(), IMAGE_FORMAT_BMPFILE));
        EXPECT_EQ(PixelsOf(*colours), PixelsOf(*image));
        EXPECT_TRUE(PixelsOf(*image) == PixelsOf(*fromMemory) && PixelsOf(*image) == PixelsOf(*sized));
        EXPECT_EQ("0 00 0", Said(DiagnoseBmp(path.c_str())) + Said(DiagnoseBmp(exact.data(), exact.size())));
    }

    auto image = Make<TypeParam>(3, 3, 0x00ABCDEF);
    image->SetColorKey(0x00ABCDEF);
    const std::string before = StateOf(*image);
    for (const auto& [what, bytes, verdict] : BrokenBmps()) {
        SCOPED_TRACE(what);
        const std::string path = ScratchPath("broken.bmp");
        std::ofstream(path, std::ios::binary) << bytes;
        const std::vector<char> exact(bytes.begin(), bytes.end());
        EXPECT_FALSE(image->LoadBmp(path.c_str()) ||
                     image->LoadFromMemory(exact.data(), exact.size(), IMAGE_FORMAT_BMPFILE));
        EXPECT_EQ(Said({verdict, 0}) + Said({verdict, 0}),
                  Said(DiagnoseBmp(path.c_str())) + Said(DiagnoseBmp(exact.data(), exact.size())));
    }
    const std::string bytes = PatternFile();
    for (const int tag : {0, 1, IMAGE_FORMAT_ROWS24, 383, 385, -1, INT_MIN})
        EXPECT_FALSE(image->LoadFromMemory(bytes.data(), tag) ||
                     image->LoadFromMemory(bytes.data(), bytes.size(), tag));
    EXPECT_FALSE(image->LoadFromMemory(nullptr, IMAGE_FORMAT_BMPFILE) ||
                 image->LoadFromMemory(nullptr, 100, IMAGE_FORMAT_BMPFILE));
    // Files that cannot be opened, with the codes Windows gives (a null or empty name, a missing folder, a file
    // taken for a folder, a folder, a missing file, a name too long, a file another handle holds unshared, a
    // link to itself; natively a FIFO and a device too), and one of 4 GiB (sparse: nothing is written), too large
    // before a byte is read. Describe gives the system's words: natively the C library's or the kind of file, on
    // Windows FormatMessage's.
    const std::string nowhere = ScratchPath("no-such-folder") + "/picture.bmp", huge = ScratchPath("huge.bmp"),
                      held = ScratchPath("held.bmp"), loop = ScratchPath("loop.bmp"), fifo = ScratchPath("fifo.bmp"),
                      inFile = huge + "/x.bmp", slash = huge + "/", tooLong(300, 'n');
    std::ofstream(huge, std::ios::binary) << bytes;
    std::ofstream(held, std::ios::binary) << bytes;
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 32);
    HANDLE holder =
        ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char *noEntry = std::strerror(ENOENT), *notDir = std::strerror(ENOTDIR);
    std::vector<std::tuple<const char*, const char*, const char*>> unopened = {
        {nullptr, "1 3", noEntry},
        {"", "1 3", noEntry},
        {nowhere.c_str(), "1 3", noEntry},
        {inFile.c_str(), "1 3", notDir},
        {slash.c_str(), "1 123", notDir},
        {".", "1 5", std::strerror(EISDIR)},
        {"no-such-file.bmp", "1 2", noEntry},
        {tooLong.c_str(), "1 206", std::strerror(ENAMETOOLONG)},
        {held.c_str(), "1 32", "Another open handle holds the file without sharing"},
        {huge.c_str(), "4 0", ""}};
#ifndef _WIN32
    std::filesystem::create_symlink(loop, loop);
    ::mkfifo(fifo.c_str(), 0600);
    unopened.insert(unopened.end(), {{loop.c_str(), "1 1921", std::strerror(ELOOP)},
                                     {fifo.c_str(), "1 5", "Is a FIFO (named pipe), not a regular file"},
                                     {"/dev/null", "1 5", "Is a device, not a regular file"}});
#endif
    for (const auto& [name, said, words] : unopened) {
        const zvx::BmpDiagnosis why = DiagnoseBmp(name);
        char text[300], cut[8];
        const std::size_t length = Describe(why, text, sizeof text);
        const std::string system = "(system error " + std::to_string(why.systemError) + "): ";
        const bool opened = why.verdict != BmpVerdict::CannotOpen;
        const std::string expected = opened ? Describe(why.verdict) : system + SystemWords(why.systemError, words);
        EXPECT_TRUE(std::string(text).find(expected) != std::string::npos && length == std::strlen(text) &&
                    Describe(why, cut, sizeof cut) == length && std::string(text, 7) == cut &&
                    Describe(why, nullptr, 0) == length)
            << text;
        EXPECT_EQ(said, Said(why) + (image->LoadBmp(name) ? " and loads" : "")) << (name == nullptr ? "null" : name);
    }
    ::CloseHandle(holder);
    for (const std::string& file : {huge, held, loop, fifo}) std::filesystem::remove(file);
    EXPECT_EQ(before, StateOf(*image));
    std::set<std::string> sentences;  // one of its own for each verdict, and one for any other value
    for (int v = 0; v < 8; ++v) sentences.insert(Describe(static_cast<BmpVerdict>(v)));
    EXPECT_EQ(7u, sentences.size());

    // Saving needs a name, pixels and a folder; a refused save makes no file.
    const std::string empty = ScratchPath("empty.bmp");
    EXPECT_FALSE(image->SaveBmp(nullptr) || image->SaveBmp("") || image->SaveBmp(nowhere.c_str()));
    EXPECT_FALSE(CMemoryImage(0, 0).SaveBmp(empty.c_str()));
    EXPECT_FALSE(std::filesystem::exists(nowhere) || std::filesystem::exists(empty));
}

}  // namespace
