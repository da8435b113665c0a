// Blending and every blit and copy route, against SDL's blits and pixman's composites. The keyed
// blit and the blends are measured for sources of 256 x 256, 1920 x 1080 and 4096 x 4096, so that
// the cost per pixel can be seen to stay flat; the unkeyed blend and blit also at 1024 x 1024,
// against pixman. A fade blends at a new alpha on every call.
#include "BenchCase.h"
#include "Pictures.h"
#include "Surfaces.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zvx::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// How many of a source's pixels show its key (white).
enum class Keying { None, KeyNotPresent, HalfKeyed, QuarterKeyed };

// A picture keyed as asked. The picture itself has no white pixel (its red never reaches 255).
void MakeSource(IPixelBuffer& image, int width, int height, Keying keying)
{
    MakePicture(image, width, height, 5);
    if (keying == Keying::None) return;
    for (int y = 0; y < height; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            const int block = x / 8 + y / 8;  // 8 x 8 blocks, as a sprite's transparent parts come
            if ((keying == Keying::HalfKeyed && block % 2 == 0) || (keying == Keying::QuarterKeyed && block % 4 == 0)) {
                row[x] = kWhite;
            }
        }
    }
    image.SetColorKey(static_cast<ColorKey>(kWhite));
}

SDL_Surface* SdlSource(int width, int height, Keying keying)
{
    CMemoryImage picture(1, 1);
    MakeSource(picture, width, height, keying);
    SDL_Surface* surface = ToSurface(picture);
    if (keying != Keying::None) SDL_SetColorKey(surface, SDL_TRUE, kWhite);
    return surface;
}

// A source of size x size goes at (100, 20) onto a 1920 x 1080 destination when it fits there,
// else at (0, 0) onto one of its own size.
struct Placing {
    int sourceWidth, sourceHeight, destWidth, destHeight, x, y;
};

Placing PlacingFor(int width, int height)
{
    if (width + 100 <= kWidth && height + 20 <= kHeight) return {width, height, kWidth, kHeight, 100, 20};
    return {width, height, std::max(width, kWidth), std::max(height, kHeight), 0, 0};
}

// Blend at the cursor's alpha; blit onto an IPixelBuffer (with the source's key, if any); blend at
// a new alpha on every call, as a fade does.
enum class Op { Blend, Blit, Fade };

// The fade's alpha at call n: a new one every call for a thousand calls, all between 0.2 and 0.8.
double FadeAlpha(unsigned n) { return 0.2 + 0.6 * static_cast<double>(n * 7919u % 1000u) / 1000.0; }

template <class Image>
void OursOp(benchmark::State& state, Op op, const Placing& p, Keying keying)
{
    Image source;
    MakeSource(source, p.sourceWidth, p.sourceHeight, keying);
    Image dest;
    MakePicture(dest, p.destWidth, p.destHeight, 6);
    unsigned calls = 0;
    const auto run = [&] {
        switch (op) {
        case Op::Blend: source.BlendTo(static_cast<IImage*>(&dest), p.x, p.y, kCursorAlpha); break;
        case Op::Blit: source.BltTo(static_cast<IPixelBuffer*>(&dest), p.x, p.y); break;
        case Op::Fade: source.BlendTo(static_cast<IImage*>(&dest), p.x, p.y, FadeAlpha(++calls)); break;
        }
    };
    run();
    for (auto _ : state) {
        run();
        benchmark::ClobberMemory();
    }
}

void SdlOp(benchmark::State& state, Op op, const Placing& p, Keying keying)
{
    SDL_Surface* source = SdlSource(p.sourceWidth, p.sourceHeight, keying);
    if (op != Op::Blit) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(source, static_cast<Uint8>(kCursorAlpha * 255.0));
    }
    CMemoryImage picture(1, 1);
    MakePicture(picture, p.destWidth, p.destHeight, 6);
    SDL_Surface* dest = ToSurface(picture);
    unsigned calls = 0;
    const auto run = [&] {
        if (op == Op::Fade) SDL_SetSurfaceAlphaMod(source, static_cast<Uint8>(FadeAlpha(++calls) * 255.0));
        SDL_Rect at{p.x, p.y, p.sourceWidth, p.sourceHeight};
        SDL_BlitSurface(source, nullptr, dest, &at);
    };
    run();
    for (auto _ : state) {
        run();
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(dest);
    SDL_FreeSurface(source);
}

// pixman's nearest operations, unkeyed: OVER of the x8r8g8b8 source through a solid a8 mask of the
// cursor's alpha (an 8-bit approximation of the blend, where ours is exact), and SRC for the blit.
void PixmanOp(benchmark::State& state, Op op, const Placing& p)
{
    CMemoryImage sourceImage(1, 1);
    MakeSource(sourceImage, p.sourceWidth, p.sourceHeight, Keying::None);
    CMemoryImage destImage(1, 1);
    MakePicture(destImage, p.destWidth, p.destHeight, 6);
    pixman_image_t* source = PixmanOver(sourceImage);
    pixman_image_t* dest = PixmanOver(destImage);
    std::uint32_t maskBits = static_cast<std::uint8_t>(kCursorAlpha * 255.0);  // one a8 pixel, repeated
    pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a8, 1, 1, &maskBits, 4);
    pixman_image_set_repeat(mask, PIXMAN_REPEAT_NORMAL);
    const auto run = [&] {
        if (op == Op::Blit) {
            pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, dest, 0, 0, 0, 0, p.x, p.y, p.sourceWidth,
                                     p.sourceHeight);
        } else {
            pixman_image_composite32(PIXMAN_OP_OVER, source, mask, dest, 0, 0, 0, 0, p.x, p.y, p.sourceWidth,
                                     p.sourceHeight);
        }
    };
    run();
    for (auto _ : state) {
        run();
        benchmark::ClobberMemory();
    }
    pixman_image_unref(mask);
    pixman_image_unref(dest);
    pixman_image_unref(source);
}

enum class Route { Image, ImagePart, Pixels, Gdi, Dib, CopyImage, CopyPixels };

template <class Image>
void OursRoute(benchmark::State& state, Route route, bool keyed)
{
    Image source;
    MakeSource(source, kWidth, kHeight, keyed ? Keying::QuarterKeyed : Keying::None);
    Image dest;
    MakePicture(dest, kWidth, kHeight, 6);
    const auto run = [&] {
        switch (route) {
        case Route::Image: source.BltTo(static_cast<IImage*>(&dest), 0, 0); break;
        case Route::ImagePart: source.BltTo(static_cast<IImage*>(&dest), 0, 0, kWidth, kHeight); break;
        case Route::Pixels: source.BltTo(static_cast<IPixelBuffer*>(&dest), 0, 0); break;
        case Route::Gdi: source.BltTo(static_cast<IGdiImage*>(&dest), 0, 0); break;
        case Route::Dib: source.BltTo(static_cast<IDibImage*>(&dest), 0, 0); break;
        case Route::CopyImage: dest.CopyFrom(static_cast<const IImage*>(&source)); break;
        case Route::CopyPixels: dest.CopyFrom(static_cast<const IPixelBuffer*>(&source)); break;
        }
    };
    run();
    for (auto _ : state) {
        run();
        benchmark::ClobberMemory();
    }
}

// SDL's blit of a whole 1920 x 1080 surface onto another, plain or with a colour key: the peer of
// every route, and of CopyFrom (which, into an image of the same size, is a plain blit too).
void SdlBlit(benchmark::State& state, bool keyed)
{
    SDL_Surface* source = SdlSource(kWidth, kHeight, keyed ? Keying::QuarterKeyed : Keying::None);
    SDL_Surface* dest = NewSurface(kWidth, kHeight);
    SDL_BlitSurface(source, nullptr, dest, nullptr);
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, dest, nullptr);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(dest);
    SDL_FreeSurface(source);
}

std::string Dims(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

}  // namespace

void AddComposeCases()
{
    struct Size {
        int width, height;
    };
    const std::vector<Size> spread = {{256, 256}, {1920, 1080}, {4096, 4096}};
    const std::vector<Size> withPixman = {{256, 256}, {1024, 1024}, {1920, 1080}, {4096, 4096}};
    struct Variant {
        Op op;
        Keying keying;
        const char* name;
        std::vector<Size> sizes;
    };
    const Variant variants[] = {{Op::Blit, Keying::KeyNotPresent, "d. keyed BltTo IPixelBuffer, no key pixel", spread},
                                {Op::Blit, Keying::HalfKeyed, "d. keyed BltTo IPixelBuffer, half keyed", spread},
                                {Op::Blend, Keying::HalfKeyed, "d. BlendTo keyed (half)", spread},
                                {Op::Blend, Keying::None, "d. BlendTo", withPixman},
                                {Op::Fade, Keying::None, "d. BlendTo, new alpha each call", {{256, 256}}},
                                {Op::Blit, Keying::None, "d. BltTo IPixelBuffer", {{256, 256}, {1024, 1024}}}};
    for (const Variant& v : variants) {
        for (const Size& size : v.sizes) {
            const Placing p = PlacingFor(size.width, size.height);
            const std::string dims = Dims(size.width, size.height);
            const std::string name = std::string(v.name) + " " + dims;
            const double pixels = static_cast<double>(p.sourceWidth) * p.sourceHeight;
            // Source read; destination read and written (a blend), or written (a blit).
            AddCase(name, pixels, (v.op == Op::Blit ? 8.0 : 12.0) * pixels);
            const Op op = v.op;
            const Keying keying = v.keying;
            AddRun(name, Who::Ours, [=](benchmark::State& s) { OursOp<CDibSectionImage>(s, op, p, keying); });
            // The general path at 4096 x 4096 takes seconds a run and shows nothing new.
            if (size.width < 4096 && size.width != 1024) {
                AddRun(name, Who::General, [=](benchmark::State& s) { OursOp<GeneralDib>(s, op, p, keying); });
            }
            AddRun(name, Who::Sdl2, [=](benchmark::State& s) { SdlOp(s, op, p, keying); });
            const bool pixman = keying == Keying::None && op != Op::Fade && size.width <= 1024;
            if (pixman) AddRun(name, Who::Pixman, [=](benchmark::State& s) { PixmanOp(s, op, p); });

            if (size.width > 1024) continue;
            switch (op) {
            case Op::Blit:
                if (keying == Keying::None) {
                    AddTarget({"BltTo(IPixelBuffer*) " + dims + " vs pixman's SRC (both one copy per row)", name, name,
                               Who::Pixman, 1.1});
                } else if (size.width == 256) {
                    AddTarget({std::string("keyed BltTo(IPixelBuffer*) 256x256, ") +
                                   (keying == Keying::KeyNotPresent ? "no key pixel" : "half keyed") +
                                   ", vs SDL's colour-key blit",
                               name, name, Who::Sdl2, 1.0});
                }
                break;
            case Op::Blend:
                if (keying == Keying::None) {
                    if (size.width == 256) {
                        AddTarget({"unkeyed BlendTo 256x256 at 0.7 vs SDL's alpha-modulated blit", name, name,
                                   Who::Sdl2, 1.0});
                    }
                    AddTarget({"BlendTo " + dims + " at 0.7 vs pixman's OVER through a solid a8 mask", name, name,
                               Who::Pixman, 1.5});
                } else if (size.width == 256) {
                    AddTarget({"keyed BlendTo 256x256 at 0.7 vs SDL's keyed alpha-modulated blit", name, name,
                               Who::Sdl2, 1.0});
                }
                break;
            case Op::Fade:
                AddTarget({"BlendTo 256x256 at a new alpha each call vs SDL's alpha-modulated blit, the same", name,
                           name, Who::Sdl2, 1.0});
                break;
            }
        }
    }

    struct Named {
        Route route;
        const char* name;
    };
    const Named routes[] = {{Route::Image, "BltTo IImage"},
                            {Route::ImagePart, "BltTo IImage sized"},
                            {Route::Pixels, "BltTo IPixelBuffer"},
                            {Route::Gdi, "BltTo IGdiImage"},
                            {Route::Dib, "BltTo IDibImage"},
                            {Route::CopyImage, "CopyFrom IImage"},
                            {Route::CopyPixels, "CopyFrom IPixelBuffer"}};
    const double pixels = static_cast<double>(kWidth) * kHeight;
    for (const Named& r : routes) {
        const bool copies = r.route == Route::CopyImage || r.route == Route::CopyPixels;
        for (const bool keyed : {false, true}) {
            if (copies && keyed) continue;  // a copy takes every pixel, key or not
            const Route route = r.route;
            const std::string name =
                std::string("e. ") + r.name + " " + Dims(kWidth, kHeight) + (keyed ? " keyed" : "");
            AddCase(name, pixels, 8.0 * pixels);
            AddRun(name, Who::Ours, [=](benchmark::State& s) { OursRoute<CDibSectionImage>(s, route, keyed); });
            AddRun(name, Who::General, [=](benchmark::State& s) { OursRoute<GeneralDib>(s, route, keyed); });
            AddRun(name, Who::Sdl2, [=](benchmark::State& s) { SdlBlit(s, keyed); });
            // Both are one copy of the whole image; the rest is the machine's noise.
            if (copies)
                AddTarget({std::string(r.name) + " " + Dims(kWidth, kHeight) + " vs SDL's plain blit", name, name,
                           Who::Sdl2, 1.1});
        }
    }
}

}  // namespace zvx::bench
