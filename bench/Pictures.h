// What the cases work on: pictures, the sample's cursor, .bmp files, and images of another
// dynamic type that always take the general path. (SDL surfaces holding the same pixels are in
// Surfaces.h: this part also builds for Windows.)
#pragma once

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

// The sample's paint road, on images of class Dib: the background onto the back buffer as an
// IDibImage, the keyed cursor blended over its middle at 0.7, the back buffer drawn onto a DC. A
// further DIB-section image's memory DC stands in for the paint DC: the same SetDIBitsToDevice,
// no window needed. Everything is made and written by the constructor.
template <class Dib>
class PaintFrame {
public:
    PaintFrame(int width, int height) : m_width(width), m_height(height)
    {
        MakePicture(m_background, width, height, 1);
        MakeCursor(m_cursor, kCursorSize);
        m_cursor.SetColorKey(static_cast<ColorKey>(kWhite));
        m_backBuffer.Create(width, height, 0);
        m_window.Create(width, height, 0);
    }

    void Paint()
    {
        m_background.BltTo(static_cast<IDibImage*>(&m_backBuffer), 0, 0);
        m_cursor.BlendTo(static_cast<IImage*>(&m_backBuffer), m_width / 2 - kCursorSize / 2,
                         m_height / 2 - kCursorSize / 2, kCursorAlpha);
        m_backBuffer.Draw(m_window.GetDC(), 0, 0);
    }

private:
    int m_width;
    int m_height;
    CDibSectionImage m_background;
    Dib m_cursor;
    Dib m_backBuffer;
    CDibSectionImage m_window;
};

// Writes every byte, so that no page is left to the first timed iteration.
void Touch(void* memory, std::size_t bytes);

}  // namespace zvx::bench
