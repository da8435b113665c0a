// LoadBmp on arbitrary bytes: taken exactly when 24 bits, a positive size and rows within the
// file say it can be, and then with the size and first row's pixel they give.
#include <filesystem>
#include <fstream>
#include <string>

#include "Fuzz.h"
#include "image/MemoryImage.h"
#include "platform/Win32.h"

ZVX_FUZZ_TARGET(FuzzLoadBmp)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("zvx_fuzz_" + std::to_string(::GetCurrentProcessId()) + ".bmp"))
            .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    CMemoryImage image(2, 2);
    const bool loaded = image.LoadBmp(path.c_str());
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return at + 4 > size ? 0 : data[at] | data[at + 1] << 8 | data[at + 2] << 16 | std::uint32_t{data[at + 3]} << 24;
    };
    const std::int64_t width = static_cast<std::int32_t>(u32(18));
    const std::int64_t height = static_cast<std::int32_t>(u32(22));
    const std::uint64_t offset = u32(10);
    const std::uint64_t rows = static_cast<std::uint64_t>(width * 3 + 3) / 4 * 4 * static_cast<std::uint64_t>(height);
    const unsigned bitsPerPixel = size >= 30 ? data[28] | data[29] << 8 : 0;  // two bytes: a 30-byte file has them
    ZVX_REQUIRE(loaded == (bitsPerPixel == 24 && width > 0 && height > 0 && offset + rows <= size));
    if (loaded) {
        ZVX_REQUIRE(image.GetWidth() == width && image.GetHeight() == height);
        const std::uint8_t* p = data + offset;
        ZVX_REQUIRE(image.GetPixel(0, image.GetHeight() - 1) == static_cast<Pixel>(p[2] << 16 | p[1] << 8 | p[0]));
    } else {
        ZVX_REQUIRE(image.GetWidth() == 2 && image.GetHeight() == 2);
    }
    return 0;
}
