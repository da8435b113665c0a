// One frame of the sample's paint road (PaintFrame in Pictures.h) against SDL doing the same with
// three SDL_BlitSurface calls, and against its memory floor: two memcpys of the image.
#include "BenchCase.h"
#include "Pictures.h"
#include "Surfaces.h"

#include <memory>
#include <string>

namespace zvx::bench {
namespace {

template <class Dib>
void OursFrame(benchmark::State& state, int width, int height)
{
    PaintFrame<Dib> frame(width, height);
    frame.Paint();
    for (auto _ : state) {
        frame.Paint();
        benchmark::ClobberMemory();
    }
}

void SdlFrame(benchmark::State& state, int width, int height)
{
    CMemoryImage picture(1, 1);
    MakePicture(picture, width, height, 1);
    SDL_Surface* background = ToSurface(picture);
    MakeCursor(picture, kCursorSize);
    SDL_Surface* cursor = ToSurface(picture);
    SDL_SetColorKey(cursor, SDL_TRUE, kWhite);
    SDL_SetSurfaceBlendMode(cursor, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(cursor, static_cast<Uint8>(kCursorAlpha * 255.0));
    SDL_Surface* backBuffer = NewSurface(width, height);
    SDL_Surface* window = NewSurface(width, height);
    const auto frame = [&] {
        SDL_BlitSurface(background, nullptr, backBuffer, nullptr);
        SDL_Rect at{width / 2 - kCursorSize / 2, height / 2 - kCursorSize / 2, kCursorSize, kCursorSize};
        SDL_BlitSurface(cursor, nullptr, backBuffer, &at);
        SDL_BlitSurface(backBuffer, nullptr, window, nullptr);
    };
    frame();
    for (auto _ : state) {
        frame();
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(window);
    SDL_FreeSurface(backBuffer);
    SDL_FreeSurface(cursor);
    SDL_FreeSurface(background);
}

}  // namespace

void AddFrameCases()
{
    const int sizes[][2] = {{640, 480}, {1920, 1080}};
    for (const auto& size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const std::string dims = std::to_string(w) + "x" + std::to_string(h);
        const std::string name = "a. frame " + dims;
        // Two whole-image copies, and the cursor read with the pixels under it read and written;
        // the floor is the two copies alone.
        const double pixels = static_cast<double>(w) * h;
        AddCase(name, pixels, 16.0 * pixels + 12.0 * kCursorSize * kCursorSize, {4.0 * pixels, 4.0 * pixels});
        AddRun(name, Who::Ours, [w, h](benchmark::State& s) { OursFrame<CDibSectionImage>(s, w, h); });
        AddRun(name, Who::General, [w, h](benchmark::State& s) { OursFrame<GeneralDib>(s, w, h); });
        AddRun(name, Who::Sdl2, [w, h](benchmark::State& s) { SdlFrame(s, w, h); });
        AddTarget({"paint frame " + dims + " vs the same three SDL_BlitSurface", name, name, Who::Sdl2, 1.0});
    }
    for (const auto& size : sizes) {
        const std::string name = "a. frame " + std::to_string(size[0]) + "x" + std::to_string(size[1]);
        AddTarget({name.substr(3) + " vs the memory floor (two memcpys of the image)", name, name, Who::Floor, 1.3});
    }
}

}  // namespace zvx::bench
