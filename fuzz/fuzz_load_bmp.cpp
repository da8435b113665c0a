// LoadBmp on arbitrary file contents: the bytes go through the same check and load that LoadBmp
// applies after reading a file, from a block of exactly the file's size so any overread shows.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/MemoryImage.h"
#include "image/exchange/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto* file = static_cast<std::uint8_t*>(std::malloc(size == 0 ? 1 : size));
    if (size > 0) std::memcpy(file, data, size);
    CMemoryImage image(2, 2);
    if (zvx::IsReadableBmp(file, size) && image.LoadFromMemory(file, IMAGE_FORMAT_BMPFILE)) {
        // A loaded picture's last pixel came from the file's first row.
        (void)image.GetPixel(image.GetWidth() - 1, image.GetHeight() - 1);
    }
    std::free(file);
    return 0;
}
