// SDL surfaces for the peers' runs, in the images' own pixel format (32-bit 0x00RRGGBB).
#pragma once

#include <SDL.h>

#include "Pictures.h"

namespace zvx::bench {

// A surface holding the image's pixels.
SDL_Surface* ToSurface(IPixelBuffer& image);
// A width x height surface, every page written.
SDL_Surface* NewSurface(int width, int height);

}  // namespace zvx::bench
