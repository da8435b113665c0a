// Device contexts over pixels the GDI layer does not own: a window's client area is one. The
// window layer draws the surface on screen; GDI calls on the DC write into the same memory.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace zvx::platform {

// A DC that draws into width x height 32-bit top-down pixels (0x00RRGGBB, rows packed). The
// caller keeps the memory alive, and its size unchanged, until ReleaseSurfaceDC.
HDC CreateSurfaceDC(std::uint32_t* pixels, int width, int height);
void ReleaseSurfaceDC(HDC dc);

}  // namespace zvx::platform
