// Blending and every blit and copy route, against SDL's blits. The keyed blit and the blends are
// measured for sources of 256 x 256, 1920 x 1080 and 4096 x 4096, so that the cost per pixel can
// be seen to stay flat.
#include "BenchCase.h"
#include "Pictures.h"
#include "Surfaces.h"

#include <algorithm>
#include <string>

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

enum class Op { Blend, KeyedBlit };

template <class Image>
void OursOp(benchmark::State& state, Op op, const Placing& p, Keying keying)
{
    Image source;
    MakeSource(source, p.sourceWidth, p.sourceHeight, keying);
    Image dest;
    MakePicture(dest, p.destWidth, p.destHeight, 6);
    const auto run = [&] {
        if (op == Op::Blend) {
            source.BlendTo(static_cast<IImage*>(&dest), p.x, p.y, kCursorAlpha);
        } else {
            source.BltTo(static_cast<IPixelBuffer*>(&dest), p.x, p.y);
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
    if (op == Op::Blend) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(source, static_cast<Uint8>(kCursorAlpha * 255.0));
    }
    CMemoryImage picture(1, 1);
    MakePicture(picture, p.destWidth, p.destHeight, 6);
    SDL_Surface* dest = ToSurface(picture);
    const auto run = [&] {
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
    const int sizes[][2] = {{256, 256}, {1920, 1080}, {4096, 4096}};
    struct Variant {
        Op op;
        Keying keying;
        const char* name;
    };
    const Variant variants[] = {{Op::KeyedBlit, Keying::KeyNotPresent, "d. keyed BltTo IPixelBuffer, no key pixel"},
                                {Op::KeyedBlit, Keying::HalfKeyed, "d. keyed BltTo IPixelBuffer, half keyed"},
                                {Op::Blend, Keying::HalfKeyed, "d. BlendTo keyed (half)"},
                                {Op::Blend, Keying::None, "d. BlendTo"}};
    for (const Variant& v : variants) {
        for (const auto& size : sizes) {
            const Placing p = PlacingFor(size[0], size[1]);
            const std::string name = std::string(v.name) + " " + Dims(size[0], size[1]);
            const double pixels = static_cast<double>(p.sourceWidth) * p.sourceHeight;
            // Source read; destination read and written (a blend), or written (a blit).
            AddCase(name, pixels, (v.op == Op::Blend ? 12.0 : 8.0) * pixels);
            const Op op = v.op;
            const Keying keying = v.keying;
            AddRun(name, Who::Ours, [=](benchmark::State& s) { OursOp<CDibSectionImage>(s, op, p, keying); });
            // The general path at 4096 x 4096 takes seconds a run and shows nothing new.
            if (size[0] < 4096) {
                AddRun(name, Who::General, [=](benchmark::State& s) { OursOp<GeneralDib>(s, op, p, keying); });
            }
            AddRun(name, Who::Sdl2, [=](benchmark::State& s) { SdlOp(s, op, p, keying); });
            if (size[0] != 256) continue;
            const char* what =
                v.op == Op::Blend
                    ? (v.keying == Keying::None ? "unkeyed BlendTo 256x256 at 0.7 vs SDL's alpha-modulated blit"
                                                : "keyed BlendTo 256x256 at 0.7 vs SDL's keyed alpha-modulated blit")
                    : (v.keying == Keying::KeyNotPresent
                           ? "keyed BltTo(IPixelBuffer*) 256x256, no key pixel, vs SDL's colour-key blit"
                           : "keyed BltTo(IPixelBuffer*) 256x256, half keyed, vs SDL's colour-key blit");
            AddTarget({what, name, name, Who::Sdl2, 1.0});
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
            if (copies)
                AddTarget({std::string(r.name) + " " + Dims(kWidth, kHeight) + " vs SDL's plain blit", name, name,
                           Who::Sdl2, 1.0});
        }
    }
}

}  // namespace zvx::bench
