// Sequences of operations on two small images, with any ints, odd opacities and null and self
// destinations, on plain images and on derived ones that override nothing (the general routes):
// results and pixels agree, and a refused operation changes neither image.
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Fuzz.h"
#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace {

template <class T>
class General : public T {
public:
    using T::T;
};
using Images = std::unique_ptr<IImage>[2];

// Values off the front of the input; edge values come often, since clipping breaks there.
struct Input {
    const std::uint8_t *at, *end;
    std::uint8_t Byte() { return at == end ? 0 : *at++; }
    std::uint32_t Word()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return v;
    }
    int Coordinate()
    {
        const std::uint8_t kind = Byte() % 8;
        return kind == 0 ? INT_MIN : kind == 1 ? INT_MAX : kind == 2 ? static_cast<int>(Word()) : Byte() % 33 - 8;
    }
    double Real()
    {
        const double edges[] = {NAN, HUGE_VAL, -HUGE_VAL, 5e-324, 1.0, 0.0};
        const std::uint8_t kind = Byte() % 10;
        return kind < 6 ? edges[kind] : Byte() / 128.0;
    }
};

std::string State(const IImage& image)
{
    std::string s = std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) + ":" + std::to_string(image.GetColorKey());
    for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) s += " " + std::to_string(image.GetPixel(i % image.GetWidth(), i / image.GetWidth()));
    return s;
}

struct Op {
    int code, self, target, x, y, w, h;
    Pixel colour;
    double alpha;
    std::vector<BYTE> rows;
};

bool Run(const Op& op, Images& images, std::unique_ptr<IImage>& made)
{
    IImage& image = *images[op.self];
    IImage* dest = op.target == 0 ? images[1 - op.self].get() : op.target == 1 ? &image : nullptr;
    auto* gdi = dynamic_cast<IGdiImage*>(dest);
    const HDC dc = gdi != nullptr ? gdi->GetDC() : nullptr;
    switch (op.code) {
    case 0: return image.BltTo(dest, op.x, op.y, op.w, op.h);
    case 1: return image.BltTo(dynamic_cast<IDibImage*>(dest), op.x, op.y);
    case 2: return image.BltTo(gdi, op.x, op.y);
    case 3: return image.BltTo(dynamic_cast<IPixelBuffer*>(dest), op.x, op.y);
    case 4: return image.BltTo(dest, op.x, op.y);
    case 5: return image.BlendTo(dest, op.x, op.y, op.alpha);
    case 6: made.reset(image.CreateSubImage(op.x, op.y, op.w, op.h)); return made != nullptr;
    case 7: return image.TileTo(dest, op.x, op.y, op.w, op.h);
    case 8: return image.CopyFrom(static_cast<const IImage*>(dest));
    case 9: return dynamic_cast<IPixelBuffer&>(image).CopyFrom(dynamic_cast<const IPixelBuffer*>(dest));
    case 10: return image.DrawLine(op.x, op.y, op.w, op.h, op.colour);
    case 11: return image.DrawRect(op.x, op.y, op.w, op.h, op.colour);
    case 12: return image.FillRect(op.x, op.y, op.w, op.h, op.colour);
    case 13: return image.Draw(dc, op.x, op.y);
    case 14: return image.Draw(dc, op.x, op.y, op.w, op.h);
    case 15: return image.DrawTiled(dc, op.x, op.y, op.w, op.h);
    case 16: return image.DrawBlend(dc, op.x, op.y, op.alpha);
    case 17: return image.Create(op.w, op.h, op.colour);
    default: return image.SetRows24(op.x, op.y, op.w, op.h, op.rows.empty() ? nullptr : op.rows.data());
    }
}

}  // namespace

ZVX_FUZZ_TARGET(FuzzImages)
{
    Input in{data, data + size};
    Images plain, general;
    for (int i = 0; i < 2; ++i) {  // class, size (a heap image may be empty), colours and key
        const bool dib = in.Byte() & 1;
        const int width = in.Byte() % 13 + dib, height = in.Byte() % 13 + dib;
        const Pixel colours[3] = {in.Word(), in.Word(), in.Word()};
        const ColorKey keys[] = {COLORKEY_NONE, static_cast<ColorKey>(colours[0] & 0xFFFFFF), static_cast<ColorKey>(colours[1])};
        const ColorKey key = keys[in.Byte() % 3];
        for (Images* set : {&plain, &general}) {
            std::unique_ptr<IImage>& image = (*set)[i];
            if (dib) image = set == &plain ? std::make_unique<CDibSectionImage>() : std::make_unique<General<CDibSectionImage>>();
            else image = set == &plain ? std::make_unique<CMemoryImage>(width, height) : std::make_unique<General<CMemoryImage>>(width, height);
            image->Create(width, height, 0);
            for (int i = 0; i < width * height; ++i) image->SetPixel(i % width, i / width, colours[(i % width * 7 + i / width * 13) % 3]);
            image->SetColorKey(key);
        }
    }
    for (int step = 0; step < 8 && in.at != in.end; ++step) {
        Op op{in.Byte() % 19, in.Byte() & 1, in.Byte() % 3, in.Coordinate(), in.Coordinate(), in.Coordinate(),
              in.Coordinate(), in.Word(), in.Real(), {}};
        // Images and row blocks of thousands of pixels take long to make and compare, and add nothing.
        const long long pixels = op.w > 0 && op.h > 0 ? 1LL * op.w * op.h : 0;
        if (pixels > 4096 && (op.code == 6 || op.code == 17 || op.code == 18)) continue;
        if (op.code == 18) op.rows.resize(static_cast<std::size_t>(pixels > 0 ? (op.w * 3LL + 3) / 4 * 4 * op.h : 0));
        for (BYTE& b : op.rows) b = in.Byte();
        const std::string before[2] = {State(*plain[0]), State(*plain[1])};
        std::unique_ptr<IImage> madePlain, madeGeneral;
        const bool result = Run(op, plain, madePlain);
        ZVX_REQUIRE(Run(op, general, madeGeneral) == result);
        ZVX_REQUIRE(State(*plain[0]) == State(*general[0]) && State(*plain[1]) == State(*general[1]));
        ZVX_REQUIRE(!madePlain || State(*madePlain) == State(*madeGeneral));
        ZVX_REQUIRE(result || (State(*plain[0]) == before[0] && State(*plain[1]) == before[1]));
    }
    return 0;
}
