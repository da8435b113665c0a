// The operations both concrete images share: MemoryImage.cpp and DibSectionImage.cpp keep their
// storage and primitives and forward every other operation here. Each is defined in the folder of
// its concern, its fast path for plain images beside it (see image/FastPaths.h). The templates
// take the concrete class, so that the image's own IsKeyColor is called; they are instantiated for
// CMemoryImage and CDibSectionImage where they are defined. Declaring them here lets the classes
// reach them without including the folders below image/, which include image/ themselves.
#pragma once

#include <cstddef>

#include "image/IImage.h"

namespace zvx {

// image/PixelAccess.cpp: pixels and channels, each through the image's own primitives (GetWidth,
// GetHeight, GetPixel, SetPixel) called as virtual operations.
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

// image/compose/Blit.cpp: BltTo, placed and clipped, key pixels skipped.
template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y, int width, int height);
template <class Self>
bool BltToDib(Self& self, IDibImage* dest, int x, int y);
template <class Self>
bool BltToGdi(Self& self, IGdiImage* dest, int x, int y);
template <class Self>
bool BltToPixels(Self& self, IPixelBuffer* dest, int x, int y);
template <class Self>
bool BltToImage(Self& self, IImage* dest, int x, int y);

// image/compose/Blend.cpp: BlendTo.
template <class Self>
bool BlendTo(Self& self, IImage* dest, int x, int y, double alpha);

// image/compose/Copy.cpp: one image made a copy of another, or a rectangle of it made a new
// heap image. selfResult is what a copy of the image onto itself returns (nothing changes).
bool CopyFrom(IImage& image, const IImage* src, bool selfResult);
bool CopyFrom(IPixelBuffer& image, const IPixelBuffer* src, bool selfResult);
IImage* CreateSubImage(const IImage& image, int x, int y, int width, int height);

// image/draw/DrawToDevice.cpp: an image onto a device context, whole, its top-left part, blended.
template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y);
template <class Self>
bool Draw(Self& self, HDC hdc, int x, int y, int width, int height);
template <class Self>
bool DrawBlend(Self& self, HDC hdc, int x, int y, double alpha);

// image/draw/Tiling.cpp: copies laid edge to edge over a rectangle of an image or a DC (the heap
// image's whole copies under a clip region it leaves selected; the DIB-section image's trimmed).
bool TileTo(IImage& image, IImage* dest, int x, int y, int width, int height);
bool DrawTiledClipped(IImage& image, HDC hdc, int x, int y, int width, int height);
bool DrawTiledTrimmed(IImage& image, HDC hdc, int x, int y, int width, int height);

// image/draw/Line.cpp: the heap image's software line through SetColor, both end points' loops
// inclusive; the DIB-section image's GDI pen on hdc, which leaves out the final point.
bool DrawLineSoftware(IImage& image, int x0, int y0, int x1, int y1, Pixel color);
bool DrawLineWithPen(HDC hdc, int x0, int y0, int x1, int y1, Pixel color);

// image/draw/Rect.cpp: rectangle outlines and fills, built on the image's own DrawLine.
bool DrawRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color);
bool FillRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color);

// image/exchange/BmpFile.cpp: .bmp files. LoadBmp reads the file whole and hands it, with its
// size, to the sized LoadFromMemory, which refuses data too short for what its header announces
// and hands the rest to the image's own LoadFromMemory; SaveBmp writes beside the target first.
bool LoadBmp(IImage& image, const char* fileName);
bool SaveBmp(IImage& image, const char* fileName);
bool LoadFromMemory(IImage& image, const void* data, int format);
bool LoadFromMemory(IImage& image, const void* data, std::size_t size, int format);

// image/exchange/Rows24.cpp: 24-bit bottom-up rows in.
bool SetRows24(IImage& image, int x, int y, int width, int height, const BYTE* rows);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, int format);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format);

// image/exchange/BitmapImport.cpp: any GDI bitmap, converted to 32-bit top-down rows on
// conversionDc (the screen's DC when null) before the image is re-created and filled, so a failed
// conversion changes nothing.
bool CreateFromBitmap(IPixelBuffer& image, HBITMAP bitmap, HDC conversionDc);

}  // namespace zvx
