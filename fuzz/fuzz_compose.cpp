// Compositing between two small images of either class with arbitrary keys: every BltTo overload,
// BlendTo, TileTo, CopyFrom and CreateSubImage, with positions and sizes anywhere in the int range
// (INT_MIN and INT_MAX included), opacities including NaN and the infinities, null and
// self destinations. Each input runs a few operations on the plain images and on derived ones
// (the general routes); results and pixels must agree, a refused operation must leave both
// images as they were, and a blit or blend must leave a distinct source as it was.
#include <cstdint>
#include <memory>

#include "FuzzImages.h"
#include "FuzzInput.h"

namespace {

using zvx::fuzz::FuzzInput;
using zvx::fuzz::ImageRecipe;
using zvx::fuzz::ImageState;
using zvx::fuzz::Require;
using zvx::fuzz::SameImage;

enum Code {
    kBltSized,
    kBltDib,
    kBltGdi,
    kBltPixels,
    kBltImage,
    kBlend,
    kSubImage,
    kTile,
    kCopyImage,
    kCopyPixels,
    kCodes
};

struct Operation {
    int code = 0;
    int source = 0;
    int dest = 0;  // -1: null
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    double alpha = 0;

    static Operation Read(FuzzInput& in)
    {
        Operation op;
        op.code = in.Byte() % kCodes;
        op.source = in.Byte() & 1;
        switch (in.Byte() % 5) {
        case 0: op.dest = -1; break;
        case 1: op.dest = op.source; break;  // onto itself
        default: op.dest = 1 - op.source; break;
        }
        op.x = in.Coordinate(16);
        op.y = in.Coordinate(16);
        op.width = in.Coordinate(16);
        op.height = in.Coordinate(16);
        op.alpha = in.Real();
        return op;
    }
};

struct Outcome {
    bool result = false;
    std::unique_ptr<IImage> sub;
};

template <class T>
T* As(IImage* image)
{
    return dynamic_cast<T*>(image);
}

Outcome Run(const Operation& op, std::unique_ptr<IImage> (&images)[2])
{
    IImage& src = *images[op.source];
    IImage* dest = op.dest < 0 ? nullptr : images[op.dest].get();
    Outcome out;
    switch (op.code) {
    case kBltSized: out.result = src.BltTo(dest, op.x, op.y, op.width, op.height); break;
    case kBltDib: out.result = src.BltTo(As<IDibImage>(dest), op.x, op.y); break;
    case kBltGdi: out.result = src.BltTo(As<IGdiImage>(dest), op.x, op.y); break;
    case kBltPixels: out.result = src.BltTo(As<IPixelBuffer>(dest), op.x, op.y); break;
    case kBltImage: out.result = src.BltTo(dest, op.x, op.y); break;
    case kBlend: out.result = src.BlendTo(dest, op.x, op.y, op.alpha); break;
    case kSubImage:
        out.sub.reset(src.CreateSubImage(op.x, op.y, op.width, op.height));
        out.result = out.sub != nullptr;
        break;
    case kTile: out.result = src.TileTo(dest, op.x, op.y, op.width, op.height); break;
    // With a null destination, the source is asked to copy from null instead.
    case kCopyImage:
        out.result = dest != nullptr ? dest->CopyFrom(&src) : src.CopyFrom(static_cast<const IImage*>(nullptr));
        break;
    case kCopyPixels:
        out.result = dest != nullptr ? As<IPixelBuffer>(dest)->CopyFrom(As<const IPixelBuffer>(&src))
                                     : As<IPixelBuffer>(&src)->CopyFrom(static_cast<const IPixelBuffer*>(nullptr));
        break;
    default: break;
    }
    return out;
}

// A sub-image of gigabytes legitimately takes long to make; such sizes are skipped.
bool TooBig(const Operation& op)
{
    if (op.code != kSubImage || op.x < 0 || op.y < 0 || op.width < 1 || op.height < 1) return false;
    const long long area = static_cast<long long>(op.width) * op.height;
    return area > 4096 && area <= 0xFFFFFFFFLL / 4;
}

// The new image holds the rectangle's colours, 0 beyond the source's edges, and no key.
void CheckSubImage(const IImage& src, const Operation& op, const IImage& sub)
{
    Require(sub.GetWidth() == op.width && sub.GetHeight() == op.height);
    Require(sub.GetColorKey() == COLORKEY_NONE);
    for (int j = 0; j < op.height; ++j) {
        for (int i = 0; i < op.width; ++i) {
            const long long sx = static_cast<long long>(op.x) + i;
            const long long sy = static_cast<long long>(op.y) + j;
            const bool representable = sx <= INT_MAX && sy <= INT_MAX;
            const Pixel want = representable ? src.GetColor(static_cast<int>(sx), static_cast<int>(sy)) : 0;
            Require(sub.GetPixel(i, j) == want);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const ImageRecipe recipes[2] = {ImageRecipe::Read(in, 12), ImageRecipe::Read(in, 12)};
    std::unique_ptr<IImage> plain[2] = {recipes[0].Build(false), recipes[1].Build(false)};
    std::unique_ptr<IImage> general[2] = {recipes[0].Build(true), recipes[1].Build(true)};

    for (int step = 0; step < 8 && in.RestSize() > 0; ++step) {
        const Operation op = Operation::Read(in);
        if (TooBig(op)) continue;
        const ImageState before[2] = {ImageState::Of(*plain[0]), ImageState::Of(*plain[1])};

        const Outcome fast = Run(op, plain);
        const Outcome slow = Run(op, general);
        Require(fast.result == slow.result);
        Require(SameImage(*plain[0], *general[0]) && SameImage(*plain[1], *general[1]));

        if (op.code == kSubImage) {
            if (fast.sub) {
                Require(SameImage(*fast.sub, *slow.sub));
                CheckSubImage(*plain[op.source], op, *fast.sub);
            }
            Require(ImageState::Of(*plain[0]) == before[0] && ImageState::Of(*plain[1]) == before[1]);
            continue;
        }
        if (!fast.result) {
            Require(ImageState::Of(*plain[0]) == before[0] && ImageState::Of(*plain[1]) == before[1]);
        } else if (op.dest != op.source && op.code != kCopyImage && op.code != kCopyPixels) {
            Require(ImageState::Of(*plain[op.source]) == before[op.source]);
        }
    }
    return 0;
}
