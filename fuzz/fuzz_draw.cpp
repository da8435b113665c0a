// Drawing into images and onto device contexts: DrawLine, DrawRect, FillRect, both Draws,
// DrawTiled, DrawBlend, the channel operations, Create and CreateFromBitmap, with positions and
// sizes anywhere in the int range, NaN and infinite opacities and factors, and DCs and bitmaps
// that are null, stale, foreign or the image's own.
//
// Two modes. In the first, runs are kept short (a line's far end lies near its start, however
// far out the start is); in the second, end points lie anywhere. Either way every operation runs
// on plain images and on derived ones (the general routes), which must agree exactly; both only
// visit what can touch the destination, so a line or fill across the whole int range costs no
// more than one across the image.
#include <cstdint>
#include <memory>

#include "FuzzImages.h"
#include "FuzzInput.h"

namespace {

using zvx::fuzz::DcOf;
using zvx::fuzz::FuzzInput;
using zvx::fuzz::ImageRecipe;
using zvx::fuzz::ImageState;
using zvx::fuzz::Require;
using zvx::fuzz::SameImage;

enum Code {
    kLine,
    kRect,
    kFill,
    kDraw,
    kDrawPart,
    kDrawTiled,
    kDrawBlend,
    kChannel,
    kCreate,
    kFromBitmap,
    kCodes
};

// A DC and a bitmap that existed once: their handles must be refused from then on.
struct StaleHandles {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;

    StaleHandles()
    {
        CDibSectionImage gone;
        dc = gone.GetDC();
        bitmap = gone.GetBitmap();
    }
};

const StaleHandles& Stale()
{
    static const StaleHandles handles;
    return handles;
}

struct Operation {
    int code = 0;
    int image = 0;    // the image drawn into, or drawn
    int handle = 0;   // which DC or bitmap
    std::uint64_t foreign = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Pixel color = 0;
    int channel = 0;
    int amount = 0;
    double real = 0;

    static Operation Read(FuzzInput& in, bool shortRuns)
    {
        Operation op;
        op.code = in.Byte() % kCodes;
        op.image = in.Byte() & 1;
        op.handle = in.Byte() % 5;
        op.foreign = (static_cast<std::uint64_t>(in.Word()) << 32) | in.Word();
        op.x0 = in.Coordinate(16);
        op.y0 = in.Coordinate(16);
        if (shortRuns) {
            op.x1 = in.Near(op.x0, 40);
            op.y1 = in.Near(op.y0, 40);
        } else {
            op.x1 = in.Coordinate(16);
            op.y1 = in.Coordinate(16);
        }
        op.color = in.Word();
        op.channel = in.Byte() % 9;
        op.amount = in.Coordinate(300);
        op.real = in.Real();
        return op;
    }
};

// The DC an operation draws on: the other image's, the image's own, none, a stale one, or any
// value at all.
HDC ChooseDc(const Operation& op, std::unique_ptr<IImage> (&images)[2])
{
    switch (op.handle) {
    case 0: return DcOf(images[1 - op.image].get());
    case 1: return DcOf(images[op.image].get());
    case 2: return nullptr;
    case 3: return Stale().dc;
    default: return reinterpret_cast<HDC>(static_cast<std::uintptr_t>(op.foreign));
    }
}

HBITMAP ChooseBitmap(const Operation& op, std::unique_ptr<IImage> (&images)[2])
{
    auto* other = dynamic_cast<IGdiImage*>(images[1 - op.image].get());
    switch (op.handle) {
    case 0: return other != nullptr ? other->GetBitmap() : nullptr;
    case 1: return nullptr;
    case 2: return static_cast<HBITMAP>(::GetStockObject(BLACK_PEN));  // a handle of another kind
    case 3: return Stale().bitmap;
    default: return reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(op.foreign));
    }
}

bool Channel(IImage& image, const Operation& op)
{
    const int x = op.x0;
    const int y = op.y0;
    switch (op.channel) {
    case 0: return image.SetRed(x, y, op.amount);
    case 1: return image.SetGreen(x, y, op.amount);
    case 2: return image.SetBlue(x, y, op.amount);
    case 3: return image.AddRed(x, y, op.amount);
    case 4: return image.AddGreen(x, y, op.amount);
    case 5: return image.AddBlue(x, y, op.amount);
    case 6: return image.ScaleRed(x, y, op.real);
    case 7: return image.ScaleGreen(x, y, op.real);
    default: return image.ScaleBlue(x, y, op.real);
    }
}

bool Run(const Operation& op, std::unique_ptr<IImage> (&images)[2])
{
    IImage& image = *images[op.image];
    const int width = op.x1;
    const int height = op.y1;
    switch (op.code) {
    case kLine: return image.DrawLine(op.x0, op.y0, op.x1, op.y1, op.color);
    case kRect: return image.DrawRect(op.x0, op.y0, op.x1, op.y1, op.color);
    case kFill: return image.FillRect(op.x0, op.y0, op.x1, op.y1, op.color);
    case kDraw: return image.Draw(ChooseDc(op, images), op.x0, op.y0);
    case kDrawPart: return image.Draw(ChooseDc(op, images), op.x0, op.y0, width, height);
    case kDrawTiled: return image.DrawTiled(ChooseDc(op, images), op.x0, op.y0, width, height);
    case kDrawBlend: return image.DrawBlend(ChooseDc(op, images), op.x0, op.y0, op.real);
    case kChannel: return Channel(image, op);
    case kCreate: return image.Create(width, height, op.color);
    case kFromBitmap: return image.CreateFromBitmap(ChooseBitmap(op, images));
    default: return false;
    }
}

// Creating an image of gigabytes legitimately takes long; such sizes are skipped.
bool TooBig(const Operation& op)
{
    if (op.code != kCreate) return false;
    const long long area = static_cast<long long>(op.x1) * op.y1;
    return op.x1 > 0 && op.y1 > 0 && area > 4096 && area <= 0xFFFFFFFFLL / 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const bool shortRuns = (in.Byte() & 1) != 0;
    const ImageRecipe recipes[2] = {ImageRecipe::Read(in, 12), ImageRecipe::Read(in, 12)};
    std::unique_ptr<IImage> plain[2] = {recipes[0].Build(false), recipes[1].Build(false)};
    std::unique_ptr<IImage> general[2] = {recipes[0].Build(true), recipes[1].Build(true)};

    for (int step = 0; step < 8 && in.RestSize() > 0; ++step) {
        const Operation op = Operation::Read(in, shortRuns);
        if (TooBig(op)) continue;
        const ImageState before[2] = {ImageState::Of(*plain[0]), ImageState::Of(*plain[1])};
        const bool result = Run(op, plain);
        Require(Run(op, general) == result);
        Require(SameImage(*plain[0], *general[0]) && SameImage(*plain[1], *general[1]));
        // A refused operation changes neither image (a refused DrawTiled may still have made
        // its clip region: not a pixel change).
        if (!result) Require(ImageState::Of(*plain[0]) == before[0] && ImageState::Of(*plain[1]) == before[1]);
    }
    return 0;
}
