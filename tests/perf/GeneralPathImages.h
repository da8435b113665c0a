// Images that always take the general (per-pixel, virtual) path, for comparing against the
// plain classes' fast paths.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"
#include "support/Images.h"

namespace zvx::test {

// Overrides nothing: only its dynamic type differs from T's.
template <class T>
class Unchanged : public DefaultConstructed<T> {};

// Stores every word XOR a mask and undoes it when read. Seen through GetPixel it is an ordinary
// image, but an operation that touched its rows instead of calling GetPixel and SetPixel would
// read or leave scrambled colours.
template <class T>
class Encoded : public DefaultConstructed<T> {
public:
    static constexpr Pixel kMask = 0x00A5C3E1u;
    Pixel GetPixel(int x, int y) const override { return T::GetPixel(x, y) ^ kMask; }
    bool SetPixel(int x, int y, Pixel v) override { return T::SetPixel(x, y, v ^ kMask); }
};

// Random inputs shared by both sides of a comparison.
struct Picture {
    int width = 1;
    int height = 1;
    std::vector<Pixel> words;
};

class Dice {
public:
    explicit Dice(std::uint32_t seed) : m_random(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool OneIn(int n) { return Between(1, n) == 1; }
    Pixel Word() { return static_cast<Pixel>(m_random()); }
    double Unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_random); }

    Picture RandomPicture(int maxWidth, int maxHeight) { return PictureOf(Between(1, maxWidth), Between(1, maxHeight)); }

    Picture PictureOf(int width, int height)
    {
        Picture p;
        p.width = width;
        p.height = height;
        p.words.resize(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
        for (Pixel& w : p.words) w = OneIn(4) ? Word() : Word() & 0x00FFFFFFu;
        return p;
    }

    // No key, a key that some pixels show (with any top byte), or one that never matches.
    ColorKey KeyFor(Picture& p)
    {
        const int choice = Between(0, 9);
        if (choice < 3) return COLORKEY_NONE;
        if (choice == 9) return static_cast<ColorKey>(0x7F000000u | (Word() & 0x00FFFFFFu));
        const Pixel key = Word() & 0x00FFFFFFu;
        for (Pixel& w : p.words) {
            if (OneIn(3)) w = key | (OneIn(2) ? 0u : Word() & 0xFF000000u);
        }
        return static_cast<ColorKey>(key);
    }

    // Mostly near and across the edges; now and then at the ends of the int range.
    int Offset(int size, int destSize)
    {
        if (OneIn(25)) return OneIn(2) ? INT32_MIN + Between(0, 2) : INT32_MAX - Between(0, 2);
        return Between(-size - 3, destSize + 3);
    }

    double Alpha()
    {
        switch (Between(0, 6)) {
        case 0: return 0.7;
        case 1: return 0.5;
        case 2: return 0.3;
        case 3: return 0.001;
        case 4: return 0.999;
        case 5: return 1.0;
        default: {
            const double a = Unit();
            return a > 0.0 ? a : 0.25;
        }
        }
    }

private:
    std::mt19937 m_random;
};

// A T holding the picture's words (stored through SetPixel) and key.
template <class T>
std::unique_ptr<T> Make(const Picture& p, ColorKey key = COLORKEY_NONE)
{
    auto image = MakeTestImage<T>(p.width, p.height);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            image->SetPixel(x, y, p.words[static_cast<std::size_t>(y) * p.width + x]);
        }
    }
    image->SetColorKey(key);
    return image;
}

// Same size, key and words as seen through the interface.
inline void ExpectSameImage(const IImage& fast, const IImage& general, const char* what)
{
    ASSERT_EQ(fast.GetWidth(), general.GetWidth()) << what;
    ASSERT_EQ(fast.GetHeight(), general.GetHeight()) << what;
    ASSERT_EQ(fast.GetColorKey(), general.GetColorKey()) << what;
    for (int y = 0; y < fast.GetHeight(); ++y) {
        for (int x = 0; x < fast.GetWidth(); ++x) {
            ASSERT_EQ(fast.GetPixel(x, y), general.GetPixel(x, y)) << what << " at " << x << "," << y;
        }
    }
}

}  // namespace zvx::test
