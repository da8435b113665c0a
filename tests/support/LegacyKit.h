// The helpers of the tests that the feature tables are replacing, kept only until the last of
// them goes (an inline namespace of their own, so they do not meet the new kit's namesakes).
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "support/Images.h"

namespace zvx::test {
inline namespace legacy {

// A width x height image of class T, either concrete class or a test class derived from one,
// filled with fill.
template <class T>
std::unique_ptr<T> MakeTestImage(int width, int height, Pixel fill = 0)
{
    std::unique_ptr<T> image;
    if constexpr (std::is_constructible_v<T, int, int>) {
        image = std::make_unique<T>(width, height);
    } else {
        image = std::make_unique<T>();
    }
    EXPECT_TRUE(image->Create(width, height, fill));
    return image;
}

// A value unique to (x, y) for small images, with a non-zero top byte so that tests see
// whether a route carries or clears it.
inline Pixel Pattern(int x, int y)
{
    return 0xA5000000u | (static_cast<Pixel>(x) << 12) | (static_cast<Pixel>(y) << 4) | 0x3u;
}

template <class Fn>
void Paint(IImage& image, Fn&& valueAt)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) image.SetPixel(x, y, valueAt(x, y));
    }
}

inline void PaintPattern(IImage& image) { Paint(image, Pattern); }

// Every stored word, rows top to bottom.
inline std::vector<Pixel> PixelsOf(const IImage& image)
{
    std::vector<Pixel> pixels;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) pixels.push_back(image.GetPixel(x, y));
    }
    return pixels;
}

}  // namespace legacy
}  // namespace zvx::test
