// What the cases work on: pictures, the sample's cursor, .bmp files, SDL surfaces holding the
// same pixels, and images of another dynamic type that always take the general path.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace zvx::bench {

constexpr Pixel kWhite = 0x00FFFFFFu;
constexpr double kCursorAlpha = 0.7;
constexpr int kCursorSize = 64;

// The same classes under another dynamic type: every operation takes the general path.
class GeneralMemory : public CMemoryImage {
public:
    GeneralMemory() : CMemoryImage(1, 1) {}
};
class GeneralDib : public CDibSectionImage {};

// A new image of class T (CMemoryImage wants a size; it gets 1 x 1 until made).
template <class T>
std::unique_ptr<T> NewImage()
{
    if constexpr (std::is_constructible_v<T, int, int>) {
        return std::make_unique<T>(1, 1);
    } else {
        return std::make_unique<T>();
    }
}

// Makes image width x height and fills it with a smooth picture with some noise in it.
void MakePicture(IPixelBuffer& image, int width, int height, std::uint32_t seed);
// Makes image size x size: a disc of colours on white, the key colour of the sample's cursor;
// keyed = about a quarter of the pixels are white.
void MakeCursor(IPixelBuffer& image, int size);

struct BmpFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};
// A 24-bit .bmp file of a width x height picture, written once and kept for the whole run.
const BmpFile& Bmp(int width, int height);
// A path for files written by the cases; removed at exit.
std::string ScratchFile(const std::string& name);

// Writes every byte, so that no page is left to the first timed iteration.
void Touch(void* memory, std::size_t bytes);

// An SDL surface (32-bit, 0x00RRGGBB like ours) holding the image's pixels.
SDL_Surface* ToSurface(IPixelBuffer& image);
// A width x height SDL surface in the same format, every page written.
SDL_Surface* NewSurface(int width, int height);

}  // namespace zvx::bench
