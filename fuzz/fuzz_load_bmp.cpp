// The sized LoadFromMemory on arbitrary bytes (nothing past them to read): taken exactly when 24
// bits, a positive size whose pixels fit 4 GiB and rows within the bytes say it can be, then with
// the size and first row's pixel they give; DiagnoseBmp's verdict says the same (a refusal of bytes
// that do not begin as "BM" does is NotBmp).
#include "Fuzz.h"
#include "image/MemoryImage.h"
#include "platform/Win32.h"

ZVX_FUZZ_TARGET(FuzzLoadBmp)
{
    CMemoryImage image(2, 2);
    const bool loaded = image.LoadFromMemory(data, size, IMAGE_FORMAT_BMPFILE);
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return at + 4 > size ? 0
                             : data[at] | data[at + 1] << 8 | data[at + 2] << 16 | std::uint32_t{data[at + 3]} << 24;
    };
    const std::int64_t width = static_cast<std::int32_t>(u32(18));
    const std::int64_t height = static_cast<std::int32_t>(u32(22));
    const std::uint64_t offset = u32(10);
    const std::uint64_t rows = static_cast<std::uint64_t>(width * 3 + 3) / 4 * 4 * static_cast<std::uint64_t>(height);
    const unsigned bitsPerPixel = size >= 30 ? data[28] | data[29] << 8 : 0;  // two bytes: a 30-byte file has them
    using zvx::BmpVerdict;
    const BmpVerdict judged = size < 30                                       ? BmpVerdict::Truncated
                              : bitsPerPixel != 24 || width < 1 || height < 1 ? BmpVerdict::NotSupported
                              : width * height > 0x3FFFFFFF ? BmpVerdict::TooLarge  // pixels of 4 bytes past 4 GiB
                              : offset + rows > size        ? BmpVerdict::Truncated
                                                            : BmpVerdict::Ok;
    const bool notBm = size > 0 && (data[0] != 'B' || (size > 1 && data[1] != 'M'));
    const BmpVerdict verdict = judged != BmpVerdict::Ok && notBm ? BmpVerdict::NotBmp : judged;
    const zvx::BmpDiagnosis said = zvx::DiagnoseBmp(data, size);
    ZVX_REQUIRE(said.verdict == verdict && said.systemError == 0 && loaded == (verdict == BmpVerdict::Ok));
    if (loaded) {
        ZVX_REQUIRE(image.GetWidth() == width && image.GetHeight() == height);
        const std::uint8_t* p = data + offset;
        ZVX_REQUIRE(image.GetPixel(0, image.GetHeight() - 1) == static_cast<Pixel>(p[2] << 16 | p[1] << 8 | p[0]));
    } else {
        ZVX_REQUIRE(image.GetWidth() == 2 && image.GetHeight() == 2);
    }
    return 0;
}
