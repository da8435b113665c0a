// Blending and every blit and copy route, against SDL's blits.
#include "BenchCase.h"
#include "Pictures.h"

#include <string>

namespace zvx::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A picture with about a quarter of its pixels white, and white as its key when keyed.
void MakeSource(IPixelBuffer& image, int width, int height, bool keyed)
{
    MakePicture(image, width, height, 5);
    if (!keyed) return;
    for (int y = 0; y < height; ++y) {
        Pixel* row = image.GetScanLine(y);
        for (int x = 0; x < width; ++x) {
            if ((x / 8 + y / 8) % 4 == 0) row[x] = kWhite;
        }
    }
    image.SetColorKey(static_cast<ColorKey>(kWhite));
}

SDL_Surface* SdlSource(int width, int height, bool keyed)
{
    CMemoryImage picture(1, 1);
    MakeSource(picture, width, height, keyed);
    SDL_Surface* surface = ToSurface(picture);
    if (keyed) SDL_SetColorKey(surface, SDL_TRUE, kWhite);
    return surface;
}

template <class Image>
void OursBlend(benchmark::State& state, int size, bool keyed)
{
    Image source;
    MakeSource(source, size, size, keyed);
    Image dest;
    MakePicture(dest, kWidth, kHeight, 6);
    for (auto _ : state) {
        source.BlendTo(static_cast<IImage*>(&dest), 100, 20, kCursorAlpha);
        benchmark::ClobberMemory();
    }
}

void SdlBlend(benchmark::State& state, int size, bool keyed)
{
    SDL_Surface* source = SdlSource(size, size, keyed);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(source, static_cast<Uint8>(kCursorAlpha * 255.0));
    CMemoryImage picture(1, 1);
    MakePicture(picture, kWidth, kHeight, 6);
    SDL_Surface* dest = ToSurface(picture);
    for (auto _ : state) {
        SDL_Rect at{100, 20, size, size};
        SDL_BlitSurface(source, nullptr, dest, &at);
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
    MakeSource(source, kWidth, kHeight, keyed);
    Image dest;
    MakePicture(dest, kWidth, kHeight, 6);
    for (auto _ : state) {
        switch (route) {
        case Route::Image: source.BltTo(static_cast<IImage*>(&dest), 0, 0); break;
        case Route::ImagePart: source.BltTo(static_cast<IImage*>(&dest), 0, 0, kWidth, kHeight); break;
        case Route::Pixels: source.BltTo(static_cast<IPixelBuffer*>(&dest), 0, 0); break;
        case Route::Gdi: source.BltTo(static_cast<IGdiImage*>(&dest), 0, 0); break;
        case Route::Dib: source.BltTo(static_cast<IDibImage*>(&dest), 0, 0); break;
        case Route::CopyImage: dest.CopyFrom(static_cast<const IImage*>(&source)); break;
        case Route::CopyPixels: dest.CopyFrom(static_cast<const IPixelBuffer*>(&source)); break;
        }
        benchmark::ClobberMemory();
    }
}

void SdlBlit(benchmark::State& state, bool keyed)
{
    SDL_Surface* source = SdlSource(kWidth, kHeight, keyed);
    SDL_Surface* dest = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_RGB888);
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, dest, nullptr);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(dest);
    SDL_FreeSurface(source);
}

// CopyFrom makes new storage and fills it; SDL's nearest equivalent is a duplicate surface.
void SdlDuplicate(benchmark::State& state)
{
    SDL_Surface* source = SdlSource(kWidth, kHeight, false);
    for (auto _ : state) {
        SDL_Surface* copy = SDL_DuplicateSurface(source);
        benchmark::DoNotOptimize(copy);
        SDL_FreeSurface(copy);
    }
    SDL_FreeSurface(source);
}

}  // namespace

void AddComposeCases()
{
    for (const int size : {256, 1024}) {
        for (const bool keyed : {false, true}) {
            const std::string name = "d. BlendTo " + std::to_string(size) + "x" + std::to_string(size) +
                                     (keyed ? " keyed" : "");
            const double pixels = static_cast<double>(size) * size;
            AddCase(name, pixels, 12.0 * pixels);
            AddRun(name, Who::Ours, [=](benchmark::State& s) { OursBlend<CDibSectionImage>(s, size, keyed); });
            AddRun(name, Who::General, [=](benchmark::State& s) { OursBlend<GeneralDib>(s, size, keyed); });
            AddRun(name, Who::Sdl2, [=](benchmark::State& s) { SdlBlend(s, size, keyed); });
        }
    }

    struct Named {
        Route route;
        const char* name;
    };
    const Named routes[] = {{Route::Image, "BltTo IImage"},        {Route::ImagePart, "BltTo IImage sized"},
                            {Route::Pixels, "BltTo IPixelBuffer"}, {Route::Gdi, "BltTo IGdiImage"},
                            {Route::Dib, "BltTo IDibImage"},       {Route::CopyImage, "CopyFrom IImage"},
                            {Route::CopyPixels, "CopyFrom IPixelBuffer"}};
    const double pixels = static_cast<double>(kWidth) * kHeight;
    for (const Named& r : routes) {
        const bool copies = r.route == Route::CopyImage || r.route == Route::CopyPixels;
        for (const bool keyed : {false, true}) {
            if (copies && keyed) continue;  // a copy takes every pixel, key or not
            const Route route = r.route;
            const std::string name = std::string("e. ") + r.name + (keyed ? " keyed" : "");
            AddCase(name, pixels, 8.0 * pixels);
            AddRun(name, Who::Ours, [=](benchmark::State& s) { OursRoute<CDibSectionImage>(s, route, keyed); });
            AddRun(name, Who::General, [=](benchmark::State& s) { OursRoute<GeneralDib>(s, route, keyed); });
            if (copies) {
                AddRun(name, Who::Sdl2, [](benchmark::State& s) { SdlDuplicate(s); });
            } else {
                AddRun(name, Who::Sdl2, [=](benchmark::State& s) { SdlBlit(s, keyed); });
            }
        }
    }
}

}  // namespace zvx::bench
