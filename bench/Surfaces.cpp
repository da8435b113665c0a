#include "Surfaces.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zvx::bench {

SDL_Surface* NewSurface(int width, int height)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    if (surface == nullptr) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    Touch(surface->pixels, static_cast<std::size_t>(surface->pitch) * static_cast<std::size_t>(height));
    return surface;
}

SDL_Surface* ToSurface(IPixelBuffer& image)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    SDL_Surface* surface = NewSurface(width, height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + static_cast<std::size_t>(y) * surface->pitch,
                    image.GetScanLine(y), static_cast<std::size_t>(width) * 4);
    }
    return surface;
}

pixman_image_t* PixmanOver(IPixelBuffer& image)
{
    pixman_image_t* pixman = pixman_image_create_bits(PIXMAN_x8r8g8b8, image.GetWidth(), image.GetHeight(),
                                                      image.GetScanLine(0), image.GetWidth() * 4);
    if (pixman == nullptr) {
        std::fprintf(stderr, "pixman: cannot make an image\n");
        std::exit(1);
    }
    return pixman;
}

}  // namespace zvx::bench
