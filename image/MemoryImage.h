// CMemoryImage: a 32-bit image whose pixels live in a heap block owned by the object.
#pragma once

#include <cstddef>

#include "image/IImage.h"
#include "platform/Export.h"

class ZVX_API CMemoryImage : public virtual IImage, public virtual IPixelBuffer {
public:
    // A width x height image filled with 0; an empty image (0 x 0) when the size is refused.
    CMemoryImage(int width, int height);
    ~CMemoryImage() override;

    CMemoryImage(const CMemoryImage&) = delete;
    CMemoryImage& operator=(const CMemoryImage&) = delete;

    // IImage, in its declaration order.
    bool CreateFromBitmap(HBITMAP bitmap) override;
    bool LoadFromMemory(const void* data, int format) override;
    // A copy of the image itself changes nothing and returns false.
    bool CopyFrom(const IImage* src) override;
    // Refuses any width or height below 1 and sizes whose bytes do not fit in 32 bits; a
    // failed Create (including a failed allocation) leaves the image as it was.
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
    // Tiles under a clip region of the rectangle, which stays selected in the DC afterwards.
    bool DrawTiled(HDC hdc, int x, int y, int width, int height) override;
    bool DrawBlend(HDC hdc, int x, int y, double alpha) override;
    bool BlendTo(IImage* dest, int x, int y, double alpha) override;
    // Rasterised in software: both end points' loops include the final point.
    bool DrawLine(int x0, int y0, int x1, int y1, Pixel color) override;
    bool DrawRect(int x0, int y0, int x1, int y1, Pixel color) override;
    bool FillRect(int x0, int y0, int x1, int y1, Pixel color) override;
    IImage* CreateSubImage(int x, int y, int width, int height) override;

    // IPixelBuffer.
    // A copy of the image itself changes nothing and returns false.
    bool CopyFrom(const IPixelBuffer* src) override;
    BITMAPINFO* GetBitmapInfo() override;
    const Pixel* GetScanLine(int y) const override;
    Pixel* GetScanLine(int y) override;

    // Own operations.
    // Bare 24-bit bottom-up rows of the image's current size (IMAGE_FORMAT_ROWS24). The caller
    // must supply height x stride bytes; each pixel's top byte is kept.
    virtual bool ImportRows24(const BYTE* rows, int format);
    // Whether a colour key is set, (x, y) lies inside and GetColor there equals the key.
    virtual bool IsKeyColor(int x, int y) const;
    // ImportRows24 that refuses input shorter than the image's rows need.
    bool ImportRows24(const BYTE* rows, std::size_t size, int format);

private:
    int m_width = 0;
    int m_height = 0;
    ColorKey m_colorKey = COLORKEY_NONE;
    BITMAPINFO m_header{};
    Pixel* m_pixels = nullptr;
};
