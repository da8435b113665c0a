#include "image/exchange/BmpFile.h"

#include <cstdlib>
#include <cstring>

#include "image/FastPaths.h"
#include "image/exchange/BmpHeader.h"
#include "image/exchange/Rows24.h"
#include "image/exchange/SaveWholeFile.h"

namespace zvx {
namespace {

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

// Reads a whole file into a heap block; null when it cannot be opened or fully read.
std::uint8_t* ReadWholeFile(const char* fileName, std::size_t* size)
{
    HANDLE file = ::CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD sizeHigh = 0;
    const DWORD fileSize = ::GetFileSize(file, &sizeHigh);
    // Files of 4 GiB or more cannot be read with one call; none holds a loadable picture.
    if (fileSize == INVALID_FILE_SIZE || sizeHigh != 0) {
        ::CloseHandle(file);
        return nullptr;
    }
    auto* block = static_cast<std::uint8_t*>(std::malloc(fileSize == 0 ? 1 : fileSize));
    DWORD read = 0;
    const BOOL ok = block != nullptr && ::ReadFile(file, block, fileSize, &read, nullptr);
    ::CloseHandle(file);
    // A short read (the file shrank, or an I/O error) must not leave unread bytes to be used.
    if (!ok || read != fileSize) {
        std::free(block);
        return nullptr;
    }
    *size = fileSize;
    return block;
}

}  // namespace

bool IsReadableBmp(const void* data, std::size_t size)
{
    if (data == nullptr || size < kBmpFieldsEnd) return false;
    const BmpHeader header = DecodeBmpHeader(static_cast<const std::uint8_t*>(data));
    // A header the loader refuses is safe to hand over: it reads no further than the fields.
    if (!header.loadable) return true;
    return header.rowsOffset <= size && header.rowsBytes <= size - header.rowsOffset;
}

bool LoadBmp(IImage& image, const char* fileName)
{
    if (fileName == nullptr) return false;
    std::size_t size = 0;
    std::uint8_t* block = ReadWholeFile(fileName, &size);
    if (block == nullptr) return false;
    // The image's own LoadFromMemory is trusted with the block only once every byte it will
    // read is known to lie within the file.
    const bool result = IsReadableBmp(block, size) && image.LoadFromMemory(block, IMAGE_FORMAT_BMPFILE);
    std::free(block);
    return result;
}

bool LoadFromMemory(IImage& image, const void* data, int format)
{
    if (data == nullptr || format != IMAGE_FORMAT_BMPFILE) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const BmpHeader header = DecodeBmpHeader(bytes);
    if (!header.loadable) return false;
    // SetRows24 below writes every pixel, so the new storage need not be cleared first.
    if (!CreateToOverwrite(image, header.width, header.height)) return false;
    image.SetRows24(0, 0, image.GetWidth(), image.GetHeight(), bytes + header.rowsOffset);
    return true;
}

bool SaveBmp(IImage& image, const char* fileName)
{
    if (fileName == nullptr) return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (width < 1 || height < 1) return false;
    const std::uint64_t stride = Rows24Stride(width);
    const std::uint64_t total = stride * static_cast<std::uint64_t>(height) + kBmpHeadersSize;
    if (stride == 0 || total > 0xFFFFFFFFu) return false;

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
    if (const IPixelBuffer* plain = PlainRows(image)) {
        RowsToRows24(*plain, width, height, fileRows, stride);
    } else {
        for (int i = 0; i < height; ++i) {
            const int y = height - 1 - i;  // the file's first row is the image's bottom row
            std::uint8_t* row = fileRows + static_cast<std::size_t>(i) * stride;
            for (int x = 0; x < width; ++x) {
                row[3 * x + 0] = image.GetBlue(x, y);
                row[3 * x + 1] = image.GetGreen(x, y);
                row[3 * x + 2] = image.GetRed(x, y);
            }
        }
    }

    const bool saved = SaveWholeFile(fileName, block, static_cast<DWORD>(total));
    std::free(block);
    return saved;
}

}  // namespace zvx
