// Lines, fills and tilings into both image classes, against SDL's and pixman's fills and a loop of
// blits.
#include "BenchCase.h"
#include "Pictures.h"
#include "Surfaces.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zvx::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTile = 64;

enum class Shape { Diagonal, Row, Fill, Tile };

template <class Image>
void OursShape(benchmark::State& state, Shape shape)
{
    auto owned = NewImage<Image>();
    Image& image = *owned;
    MakePicture(image, kWidth, kHeight, 8);
    auto tile = NewImage<Image>();
    MakePicture(*tile, kTile, kTile, 9);
    Pixel color = 0x00336699u;
    for (auto _ : state) {
        switch (shape) {
        case Shape::Diagonal: image.DrawLine(0, 0, kWidth - 1, kHeight - 1, color); break;
        case Shape::Row: image.DrawLine(0, kHeight / 2, kWidth - 1, kHeight / 2, color); break;
        case Shape::Fill: image.FillRect(0, 0, kWidth - 1, kHeight - 1, color); break;
        case Shape::Tile: tile->TileTo(static_cast<IImage*>(&image), 0, 0, kWidth, kHeight); break;
        }
        color ^= 0x00010101u;
        benchmark::ClobberMemory();
    }
}

void SdlShape(benchmark::State& state, Shape shape)
{
    SDL_Surface* image = NewSurface(kWidth, kHeight);
    CMemoryImage picture(1, 1);
    MakePicture(picture, kTile, kTile, 9);
    SDL_Surface* tile = ToSurface(picture);
    Uint32 color = 0x00336699u;
    for (auto _ : state) {
        if (shape == Shape::Fill) {
            SDL_FillRect(image, nullptr, color);
        } else {
            for (int y = 0; y < kHeight; y += kTile) {
                for (int x = 0; x < kWidth; x += kTile) {
                    SDL_Rect at{x, y, kTile, kTile};
                    SDL_BlitSurface(tile, nullptr, image, &at);
                }
            }
        }
        color ^= 0x00010101u;
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(tile);
    SDL_FreeSurface(image);
}

// pixman_fill of the whole 1920 x 1080 picture.
void PixmanFill(benchmark::State& state)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight, 0x5A5A5A5Au);
    std::uint32_t color = 0x00336699u;
    for (auto _ : state) {
        pixman_fill(pixels.data(), kWidth, 32, 0, 0, kWidth, kHeight, color);
        color ^= 0x00010101u;
        benchmark::ClobberMemory();
    }
}

template <class Plain, class General>
void AddShape(const std::string& name, Shape shape, double pixels, double bytes, bool withPeers)
{
    AddCase(name, pixels, bytes);
    AddRun(name, Who::Ours, [shape](benchmark::State& s) { OursShape<Plain>(s, shape); });
    AddRun(name, Who::General, [shape](benchmark::State& s) { OursShape<General>(s, shape); });
    if (withPeers) AddRun(name, Who::Sdl2, [shape](benchmark::State& s) { SdlShape(s, shape); });
    if (withPeers && shape == Shape::Fill) AddRun(name, Who::Pixman, PixmanFill);
}

template <class Plain, class General>
void AddShapes(const char* className)
{
    const std::string suffix = std::string(" ") + className;
    const double area = static_cast<double>(kWidth) * kHeight;
    // Lines and fills only write; a tiling reads the tile and writes the area.
    AddShape<Plain, General>("f. DrawLine diagonal" + suffix, Shape::Diagonal, kWidth, 4.0 * kWidth, false);
    AddShape<Plain, General>("f. DrawLine row" + suffix, Shape::Row, kWidth, 4.0 * kWidth, false);
    AddShape<Plain, General>("f. FillRect" + suffix, Shape::Fill, area, 4.0 * area, true);
    AddShape<Plain, General>("f. TileTo 64x64" + suffix, Shape::Tile, area, 8.0 * area, true);
}

}  // namespace

void AddDrawCases()
{
    AddShapes<CMemoryImage, GeneralMemory>("memory");
    AddShapes<CDibSectionImage, GeneralDib>("dib");
    for (const char* image : {"memory", "dib"}) {
        const std::string name = std::string("f. FillRect ") + image;
        AddTarget({std::string("FillRect 1920x1080 on the ") + (image[0] == 'm' ? "heap" : "DIB-section") +
                       " image vs pixman_fill",
                   name, name, Who::Pixman, 1.0});
    }
    // The DIB-section image draws through the software GDI's pen; it should cost at most twice what
    // the heap image's own rasteriser does.
    AddTarget({"FillRect 1920x1080 on the DIB-section image vs the heap image", "f. FillRect dib", "f. FillRect memory",
               Who::Ours, 2.0});
    AddTarget({"row DrawLine 1920 on the DIB-section image vs the heap image", "f. DrawLine row dib",
               "f. DrawLine row memory", Who::Ours, 2.0});
}

}  // namespace zvx::bench
