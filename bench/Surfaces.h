// SDL surfaces and pixman images for the peers' runs, in the images' own pixel format (32-bit
// 0x00RRGGBB, which is pixman's x8r8g8b8).
#pragma once

#include <SDL.h>
#include <pixman.h>

#include "Pictures.h"

namespace zvx::bench {

// A surface holding the image's pixels.
SDL_Surface* ToSurface(IPixelBuffer& image);
// A width x height surface, every page written.
SDL_Surface* NewSurface(int width, int height);
// A pixman image over the image's own pixels (not copied: the image must outlive it).
pixman_image_t* PixmanOver(IPixelBuffer& image);

}  // namespace zvx::bench
