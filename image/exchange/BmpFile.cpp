// 24-bit .bmp files: loading (the whole file read, then the rows taken by SetRows24), saving (the
// rows written pixel by pixel, or by the fast path image/FastPaths.h lists) and DiagnoseBmp.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "core/Color.h"
#include "core/PixelRows.h"
#include "core/Planner.h"
#include "image/FastPaths.h"
#include "image/ImageStorage.h"
#include "image/Operations.h"
#include "image/exchange/SaveWholeFile.h"

namespace zvx {
namespace {

// The fields of a 24-bit .bmp file header that the reader uses, decoded once, and the one verdict
// on a file image that the loads and DiagnoseBmp all follow.

// Bytes of a .bmp file that must exist before any field the reader uses can be read.
constexpr std::size_t kBmpFieldsEnd = 30;
// Size of the headers SaveBmp writes: BITMAPFILEHEADER (14) and BITMAPINFOHEADER (40).
constexpr std::uint32_t kBmpHeadersSize = 54;

struct BmpHeader {
    std::uint32_t rowsOffset = 0;  // where the pixel rows begin, from the start of the file
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: bottom-up rows
    std::uint16_t bitsPerPixel = 0;
    // Ok when the header describes a picture this library loads: 24 bits per pixel, a bottom-up
    // size of at least 1 x 1 (else NotSupported), and a pixel count, row block and pixel storage
    // that all fit in 32 bits (else TooLarge). Whether the rows are there is not its business.
    BmpVerdict verdict = BmpVerdict::NotSupported;
    std::uint64_t stride = 0;     // bytes per row
    std::uint64_t rowsBytes = 0;  // stride x height
};

// Decodes the fields at 10, 18, 22 and 28; data must hold at least kBmpFieldsEnd bytes.
BmpHeader DecodeBmpHeader(const std::uint8_t* data);

// The verdict on size bytes at data (null: none): Truncated below kBmpFieldsEnd, the header's own
// verdict when that is not Ok, Truncated when its rows run past size, else Ok.
BmpVerdict JudgeBmp(const void* data, std::size_t size);

std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

BmpHeader DecodeBmpHeader(const std::uint8_t* data)
{
    BmpHeader header;
    header.rowsOffset = ReadU32(data + 10);
    header.width = static_cast<std::int32_t>(ReadU32(data + 18));
    header.height = static_cast<std::int32_t>(ReadU32(data + 22));
    header.bitsPerPixel = ReadU16(data + 28);

    // Both sides must be positive: a negative height is a top-down file, which is not read, and
    // a negative width with a negative height would pass a bare product test.
    if (header.bitsPerPixel != 24 || header.width < 1 || header.height < 1) return header;
    header.stride = RowBytes(header.width, 24);
    header.rowsBytes = header.stride * static_cast<std::uint64_t>(header.height);
    // Sizes whose rows or pixel storage do not fit 32 bits are refused, so no later product
    // overflows (a 3,000,000 x 2,000,000 header is refused here).
    const bool fits = FitsBlock(header.width, header.height, 24) && IsCreatableSize(header.width, header.height);
    header.verdict = fits ? BmpVerdict::Ok : BmpVerdict::TooLarge;
    return header;
}

BmpVerdict JudgeBmp(const void* data, std::size_t size)
{
    if (data == nullptr || size < kBmpFieldsEnd) return BmpVerdict::Truncated;
    const BmpHeader header = DecodeBmpHeader(static_cast<const std::uint8_t*>(data));
    if (header.verdict != BmpVerdict::Ok) return header.verdict;
    const bool rowsThere = header.rowsOffset <= size && header.rowsBytes <= size - header.rowsOffset;
    return rowsThere ? BmpVerdict::Ok : BmpVerdict::Truncated;
}

void WriteU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

void WriteU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

struct FreeBlock {
    void operator()(std::uint8_t* block) const { std::free(block); }
};

// A whole file in a heap block, or why there is none.
struct WholeFile {
    std::unique_ptr<std::uint8_t, FreeBlock> bytes;
    std::size_t size = 0;
    BmpDiagnosis failure{BmpVerdict::Ok, 0};
};

WholeFile Failed(BmpVerdict verdict, unsigned long systemError)
{
    WholeFile none;
    none.failure = {verdict, systemError};
    return none;
}

// Reads a whole file with one ReadFile. What the system refuses (opening, memory, reading) is
// CannotOpen with its code. A read that brings fewer bytes than the file had when it was opened
// (it shrank meanwhile) is Truncated: no bytes past those read are ever used.
WholeFile ReadWholeFile(const char* fileName)
{
    // What the system answers for a null name, left for GetLastError as a file call leaves it.
    if (fileName == nullptr) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        return Failed(BmpVerdict::CannotOpen, ERROR_PATH_NOT_FOUND);
    }
    HANDLE file = ::CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failed(BmpVerdict::CannotOpen, ::GetLastError());
    DWORD sizeHigh = 0;
    const DWORD fileSize = ::GetFileSize(file, &sizeHigh);
    // Files of 4 GiB or more cannot be read with one call; none holds a picture an image can
    // take. GetFileSize's failure mark is also the size 4 GiB less one byte, which goes with them
    // (on a file just opened for reading the call has nothing else to fail on).
    WholeFile whole;
    DWORD read = 0;
    if (sizeHigh != 0 || fileSize == INVALID_FILE_SIZE) {
        whole.failure = {BmpVerdict::TooLarge, 0};
    } else {
        whole.bytes.reset(static_cast<std::uint8_t*>(std::malloc(fileSize == 0 ? 1 : fileSize)));
        if (!whole.bytes) {
            whole.failure = {BmpVerdict::CannotOpen, ERROR_NOT_ENOUGH_MEMORY};
        } else if (!::ReadFile(file, whole.bytes.get(), fileSize, &read, nullptr)) {
            whole.failure = {BmpVerdict::CannotOpen, ::GetLastError()};
        } else if (read != fileSize) {
            whole.failure = {BmpVerdict::Truncated, 0};
        }
    }
    ::CloseHandle(file);
    if (whole.failure.verdict != BmpVerdict::Ok) whole.bytes.reset();
    whole.size = read;
    return whole;
}

}  // namespace

bool LoadFromMemory(IImage& image, const void* data, std::size_t size, int format)
{
    // The two-argument form may read every byte the header points at; only this layout's length
    // can be checked, so no other tag is handed on.
    if (format != IMAGE_FORMAT_BMPFILE || JudgeBmp(data, size) == BmpVerdict::Truncated) return false;
    return image.LoadFromMemory(data, format);
}

bool LoadBmp(IImage& image, const char* fileName)
{
    if (fileName == nullptr) return false;
    const WholeFile file = ReadWholeFile(fileName);
    return file.bytes && LoadFromMemory(image, file.bytes.get(), file.size, IMAGE_FORMAT_BMPFILE);
}

bool LoadFromMemory(IImage& image, const void* data, int format)
{
    if (data == nullptr || format != IMAGE_FORMAT_BMPFILE) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const BmpHeader header = DecodeBmpHeader(bytes);
    if (header.verdict != BmpVerdict::Ok) return false;
    // Rows in the image's own pixels would be freed by the re-creation, or overwritten as they are
    // read: they are read from a copy, taken while the image is untouched.
    const std::uint8_t* rows = bytes + header.rowsOffset;
    const auto rowsBytes = static_cast<std::size_t>(header.rowsBytes);
    std::unique_ptr<std::uint8_t[]> copy;
    if (HoldsAnyOf(image, rows, rowsBytes)) {
        copy.reset(new (std::nothrow) std::uint8_t[rowsBytes]);
        if (copy == nullptr) return false;
        std::memcpy(copy.get(), rows, rowsBytes);
        rows = copy.get();
    }
    // SetRows24 below writes every pixel, so the new storage need not be cleared first. What it
    // reports is the load's result.
    if (!CreateToOverwrite(image, header.width, header.height)) return false;
    const int width = image.GetWidth();
    return image.SetRows24(0, 0, width, image.GetHeight(), rows);
}

BmpDiagnosis DiagnoseBmp(const char* fileName)
{
    const WholeFile file = ReadWholeFile(fileName);
    if (!file.bytes) return file.failure;
    return DiagnoseBmp(file.bytes.get(), file.size);
}

BmpDiagnosis DiagnoseBmp(const void* data, std::size_t size)
{
    const BmpVerdict verdict = JudgeBmp(data, size);
    // A refusal of bytes that cannot begin a .bmp file says so instead: the reader does not look
    // at the signature, so only what it refuses is told apart.
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const bool maybeBmp = bytes == nullptr || size == 0 || (bytes[0] == 'B' && (size == 1 || bytes[1] == 'M'));
    return {verdict == BmpVerdict::Ok || maybeBmp ? verdict : BmpVerdict::NotBmp, 0};
}

const char* Describe(BmpVerdict verdict)
{
    switch (verdict) {
    case BmpVerdict::Ok: return "The picture can be loaded.";
    case BmpVerdict::CannotOpen: return "The file could not be opened or read.";
    case BmpVerdict::NotSupported:
        return "This is not a picture the reader takes: only 24 bits per pixel and a positive width and height are.";
    case BmpVerdict::Truncated: return "The data ends before the header fields or the pixel rows they announce.";
    case BmpVerdict::TooLarge: return "The file or its picture is larger than the 4 GiB an image may take.";
    case BmpVerdict::NotBmp: return "This is not a .bmp file: it does not begin with the signature \"BM\".";
    }
    return "The verdict is not one this library knows.";
}

std::size_t Describe(BmpDiagnosis diagnosis, char* text, std::size_t size)
{
    const char* sentence = Describe(diagnosis.verdict);
    int length = 0;
    if (diagnosis.verdict != BmpVerdict::CannotOpen) {
        length = std::snprintf(text, size, "%s", sentence);
    } else {
        // The sentence without its full stop, the code, and the system's words for it.
        char words[512] = "";
        const DWORD found =
            ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(diagnosis.systemError), 0, words, sizeof words, nullptr);
        std::size_t end = found == 0 ? 0 : std::strlen(words);
        while (end > 0 && std::isspace(static_cast<unsigned char>(words[end - 1])) != 0) --end;
        words[end] = '\0';
        length = std::snprintf(text, size, "%.*s (system error %lu)%s%s", static_cast<int>(std::strlen(sentence) - 1),
                               sentence, diagnosis.systemError, end > 0 ? ": " : "", words);
    }
    return length < 0 ? 0 : static_cast<std::size_t>(length);
}

bool SaveBmp(IImage& image, const char* fileName)
{
    if (fileName == nullptr) return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    // The whole file, headers and rows, must fit 32 bits.
    if (!FitsBlock(width, height, 24, kMaxImageBytes - kBmpHeadersSize)) return false;
    const std::uint64_t stride = RowBytes(width, 24);
    const std::uint64_t total = stride * static_cast<std::uint64_t>(height) + kBmpHeadersSize;

    auto* block = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(total), 1));
    if (block == nullptr) return false;
    block[0] = 'B';
    block[1] = 'M';
    WriteU32(block + 2, static_cast<std::uint32_t>(total));
    WriteU32(block + 10, kBmpHeadersSize);
    WriteU32(block + 14, 40);
    WriteU32(block + 18, static_cast<std::uint32_t>(width));
    WriteU32(block + 22, static_cast<std::uint32_t>(height));
    WriteU16(block + 26, 1);
    WriteU16(block + 28, 24);
    std::uint8_t* fileRows = block + kBmpHeadersSize;
    if (const PlainImage plain = PlainRows(image)) {
        // The file's first row is the image's bottom row.
        if (!Transfer(plain.rows, DibRows(fileRows, width, height, 24, true),
                      Place(width, height, 0, 0, Bounds(width, height)), RowOp::WordsToBgr24())) {
            std::free(block);
            return false;
        }
    } else {
        for (int j = 0; j < height; ++j) {
            const int y = height - 1 - j;  // the file's first row is the image's bottom row
            std::uint8_t* row = fileRows + static_cast<std::size_t>(j) * stride;
            for (int x = 0; x < width; ++x) {
                const Pixel blue = image.GetBlue(x, y);
                const Pixel green = image.GetGreen(x, y);
                color::WriteBgr(row + 3 * static_cast<std::size_t>(x), color::Rgb(image.GetRed(x, y), green, blue));
            }
        }
    }

    const bool saved = SaveWholeFile(fileName, block, static_cast<DWORD>(total));
    std::free(block);
    return saved;
}

}  // namespace zvx

bool IImage::LoadFromMemory(const void* data, std::size_t size, int format)
{
    return zvx::LoadFromMemory(*this, data, size, format);
}
