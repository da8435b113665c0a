// Helpers for tests that run the same cases on both concrete images.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace zvx::test {

// A width x height image of class T filled with fill.
template <class T>
std::unique_ptr<T> MakeImage(int width, int height, Pixel fill = 0);

template <>
inline std::unique_ptr<CMemoryImage> MakeImage<CMemoryImage>(int width, int height, Pixel fill)
{
    auto image = std::make_unique<CMemoryImage>(width, height);
    if (fill != 0) image->Create(width, height, fill);
    return image;
}

template <>
inline std::unique_ptr<CDibSectionImage> MakeImage<CDibSectionImage>(int width, int height, Pixel fill)
{
    auto image = std::make_unique<CDibSectionImage>();
    image->Create(width, height, fill);
    return image;
}

using ImageClasses = ::testing::Types<CMemoryImage, CDibSectionImage>;

// A default-constructible T, so test subclasses that override operations can derive from either
// class alike (CMemoryImage needs a size; it gets 1 x 1).
template <class T>
class DefaultConstructed;

template <>
class DefaultConstructed<CMemoryImage> : public CMemoryImage {
public:
    DefaultConstructed() : CMemoryImage(1, 1) {}
};

template <>
class DefaultConstructed<CDibSectionImage> : public CDibSectionImage {};

}  // namespace zvx::test
