// CDibSectionImage: a 32-bit image whose pixels live in a GDI DIB section selected into a memory
// device context that the image owns. The same memory is reachable directly (GetPixel,
// GetScanLine) and through GDI drawing on GetDC().
#pragma once

#include <cstddef>

#include "image/IImage.h"
#include "platform/Export.h"

class ZVX_API CDibSectionImage : public IDibImage {
public:
    // A 128 x 128 black image with its section and memory DC, usable during static
    // initialisation with no window and no display.
    CDibSectionImage();
    ~CDibSectionImage() override;

    CDibSectionImage(const CDibSectionImage&) = delete;
    CDibSectionImage& operator=(const CDibSectionImage&) = delete;

    // IImage, in its declaration order.
    bool CreateFromBitmap(HBITMAP bitmap) override;
    bool LoadFromMemory(const void* data, int format) override;
    // A copy of the image itself changes nothing and returns true.
    bool CopyFrom(const IImage* src) override;
    // Refuses any width or height below 1 and sizes whose bytes do not fit in 32 bits. The new
    // section and DC are made before the old ones go, so a failed Create changes nothing.
    bool Create(int width, int height, Pixel fill) override;
    bool LoadBmp(const char* fileName) override;
    bool SaveBmp(const char* fileName) override;
    int GetWidth() const override;
    int GetHeight() const override;
    Pixel GetColor(int x, int y) const override;
    COLORREF GetColorRef(int x, int y) const override;
    Pixel GetPixel(int x, int y) const override;
    BYTE GetRed(int x, int y) const override;
    BYTE GetGreen(int x, int y) const override;
    BYTE GetBlue(int x, int y) const override;
    bool SetRows24(int x, int y, int width, int height, const BYTE* rows) override;
    bool SetColor(int x, int y, Pixel c) override;
    bool SetPixel(int x, int y, Pixel v) override;
    bool SetRed(int x, int y, int v) override;
    bool SetGreen(int x, int y, int v) override;
    bool SetBlue(int x, int y, int v) override;
    bool AddRed(int x, int y, int delta) override;
    bool AddGreen(int x, int y, int delta) override;
    bool AddBlue(int x, int y, int delta) override;
    bool ScaleRed(int x, int y, double factor) override;
    bool ScaleGreen(int x, int y, double factor) override;
    bool ScaleBlue(int x, int y, double factor) override;
    ColorKey GetColorKey() const override;
    bool SetColorKey(ColorKey key) override;
    bool BltTo(IImage* dest, int x, int y, int width, int height) override;
    bool Draw(HDC hdc, int x, int y, int width, int height) override;
    bool BltTo(IDibImage* dest, int x, int y) override;
    bool BltTo(IGdiImage* dest, int x, int y) override;
    bool BltTo(IPixelBuffer* dest, int x, int y) override;
    bool BltTo(IImage* dest, int x, int y) override;
    bool Draw(HDC hdc, int x, int y) override;
    bool TileTo(IImage* dest, int x, int y, int width, int height) override;
    // Draws trimmed copies; the DC's clip region is left as it was.
    bool DrawTiled(HDC hdc, int x, int y, int width, int height) override;
    bool DrawBlend(HDC hdc, int x, int y, double alpha) override;
    bool BlendTo(IImage* dest, int x, int y, double alpha) override;
    // Drawn by GDI with a one-pixel pen on the memory DC, which leaves out the final point.
    bool DrawLine(int x0, int y0, int x1, int y1, Pixel color) override;
    bool DrawRect(int x0, int y0, int x1, int y1, Pixel color) override;
    bool FillRect(int x0, int y0, int x1, int y1, Pixel color) override;
    IImage* CreateSubImage(int x, int y, int width, int height) override;

    // IPixelBuffer.
    // A copy of the image itself changes nothing and returns true.
    bool CopyFrom(const IPixelBuffer* src) override;
    BITMAPINFO* GetBitmapInfo() override;
    const Pixel* GetScanLine(int y) const override;
    Pixel* GetScanLine(int y) override;

    // IGdiImage.
    HBITMAP GetBitmap() override;
    HDC GetDC() override;

    // Own operations.
    // Bare 24-bit bottom-up rows of the image's current size (IMAGE_FORMAT_ROWS24). The caller
    // must supply height x stride bytes; each pixel's top byte is kept.
    virtual bool ImportRows24(const BYTE* rows, int format);
    // The memory device context: the same handle as GetDC.
    virtual HDC GetMemoryDC();
    // Whether a colour key is set, (x, y) lies inside and GetColor there equals the key.
    virtual bool IsKeyColor(int x, int y) const;
    // ImportRows24 that refuses input shorter than the image's rows need.
    bool ImportRows24(const BYTE* rows, std::size_t size, int format);

private:
    int m_width = 0;
    int m_height = 0;
    ColorKey m_colorKey = COLORKEY_NONE;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    HDC m_memoryDC = nullptr;
    BITMAPINFO m_header{};
    Pixel* m_pixels = nullptr;
};
