// Pixel and channel operations shared by every image. Each works only through the image's own
// primitives (GetWidth, GetHeight, GetPixel, SetPixel) called as virtual operations, so an image
// that replaces those primitives changes all of these too.
#pragma once

#include "image/IImage.h"

namespace zvx {

// 0 <= x < width and 0 <= y < height, tested in the order x < 0, x >= width, y < 0, y >= height.
bool IsInside(const IImage& image, int x, int y);

Pixel GetColor(const IImage& image, int x, int y);
COLORREF GetColorRef(const IImage& image, int x, int y);
BYTE GetRed(const IImage& image, int x, int y);
BYTE GetGreen(const IImage& image, int x, int y);
BYTE GetBlue(const IImage& image, int x, int y);

bool SetColor(IImage& image, int x, int y, Pixel c);
bool SetRed(IImage& image, int x, int y, int v);
bool SetGreen(IImage& image, int x, int y, int v);
bool SetBlue(IImage& image, int x, int y, int v);
bool AddRed(IImage& image, int x, int y, int delta);
bool AddGreen(IImage& image, int x, int y, int delta);
bool AddBlue(IImage& image, int x, int y, int delta);
bool ScaleRed(IImage& image, int x, int y, double factor);
bool ScaleGreen(IImage& image, int x, int y, double factor);
bool ScaleBlue(IImage& image, int x, int y, double factor);

// A colour key is set, (x, y) lies inside and GetColor there equals the key.
bool IsKeyColor(const IImage& image, int x, int y);

// The non-zero fill of Create: SetPixel for every pixel, row by row.
void FillBySetPixel(IImage& image, int width, int height, Pixel fill);

}  // namespace zvx
