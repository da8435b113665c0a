// Small images for the compositing and drawing fuzzers, made twice from one input: once as the
// two concrete classes themselves, which the library may serve through its row-at-a-time fast
// paths, and once as classes derived from them, which it must serve through the general
// per-pixel routes. Both sets go through the same operations and must end up identical: the
// fast paths promise exactly the general routes' results.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "FuzzInput.h"
#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace zvx::fuzz {

// Derived classes that override nothing: enough to take the general routes.
class GeneralMemoryImage : public CMemoryImage {
public:
    GeneralMemoryImage(int width, int height) : CMemoryImage(width, height) {}
};

class GeneralDibSectionImage : public CDibSectionImage {};

inline void Require(bool condition)
{
    if (!condition) std::abort();
}

// How one image is made: its class, size, colours and key, read once from the input and then
// built as often as needed.
struct ImageRecipe {
    bool dib = false;
    int width = 0;  // 0 x 0: an empty heap image
    int height = 0;
    Pixel palette[4] = {};
    std::uint8_t seed = 0;
    ColorKey key = COLORKEY_NONE;

    static ImageRecipe Read(FuzzInput& in, int maxSide)
    {
        ImageRecipe r;
        r.dib = (in.Byte() & 1) != 0;
        if (!r.dib && in.Byte() % 16 == 0) {
            r.width = r.height = 0;
        } else {
            r.width = in.Side(maxSide);
            r.height = in.Side(maxSide);
        }
        for (Pixel& p : r.palette) p = in.Word();
        r.seed = in.Byte();
        switch (in.Byte() % 4) {
        case 0: r.key = COLORKEY_NONE; break;
        case 1: r.key = static_cast<ColorKey>(r.palette[0] & 0x00FFFFFFu); break;  // matches
        case 2: r.key = static_cast<ColorKey>(r.palette[1]); break;  // matches only without a top byte
        default: r.key = static_cast<ColorKey>(in.Word()); break;
        }
        return r;
    }

    Pixel At(int x, int y) const { return palette[(x * 7 + y * 13 + seed) % 4 == 0 ? 0 : (x ^ y ^ seed) % 4]; }

    std::unique_ptr<IImage> Build(bool general) const
    {
        std::unique_ptr<IImage> image;
        if (dib) {
            auto made = general ? std::make_unique<GeneralDibSectionImage>() : std::make_unique<CDibSectionImage>();
            Require(made->Create(width, height, 0));
            image = std::move(made);
        } else {
            image = general ? std::make_unique<GeneralMemoryImage>(width, height)
                            : std::make_unique<CMemoryImage>(width, height);
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) image->SetPixel(x, y, At(x, y));
        }
        image->SetColorKey(key);
        return image;
    }
};

// Everything an image shows through IImage: size, key and every stored word.
inline bool SameImage(const IImage& a, const IImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
    if (a.GetColorKey() != b.GetColorKey()) return false;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
        }
    }
    return true;
}

// A copy of everything SameImage compares, to tell afterwards whether an operation changed it.
struct ImageState {
    int width = 0;
    int height = 0;
    ColorKey key = COLORKEY_NONE;
    std::vector<Pixel> pixels;

    static ImageState Of(const IImage& image)
    {
        ImageState s;
        s.width = image.GetWidth();
        s.height = image.GetHeight();
        s.key = image.GetColorKey();
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.width; ++x) s.pixels.push_back(image.GetPixel(x, y));
        }
        return s;
    }

    bool operator==(const ImageState& o) const
    {
        return width == o.width && height == o.height && key == o.key && pixels == o.pixels;
    }
};

// The HDC of an image when it has one.
inline HDC DcOf(IImage* image)
{
    auto* gdi = dynamic_cast<IGdiImage*>(image);
    return gdi != nullptr ? gdi->GetDC() : nullptr;
}

}  // namespace zvx::fuzz
