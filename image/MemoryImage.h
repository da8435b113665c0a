/// @file
/// CMemoryImage: a 32-bit image whose pixels live in a heap block owned by the object.
///
/// @class CMemoryImage
/// A 32-bit image whose pixels live in a heap block owned by the object. It has no GDI objects
/// of its own: it draws onto a device context by handing GDI its header and pixel block, and
/// draws lines in software. CreateSubImage of any image returns one of these.
///
/// A class derived from it may override any virtual operation; the library's general routes
/// then call the override (see the user's guide, "Deriving an image class").
#pragma once

#include <cstddef>

#include "IImage.h"

// A program's own macros of these names do not reach the declarations below.
#pragma push_macro("BYTE")
#pragma push_macro("COLORREF")
#pragma push_macro("Pixel")
#pragma push_macro("ColorKey")
#undef BYTE
#undef COLORREF
#undef Pixel
#undef ColorKey

class ZVX_API CMemoryImage : public virtual IImage, public virtual IPixelBuffer {
public:
    /// A width x height image filled with 0, made with this class's own Create; an empty
    /// image (0 x 0, no pixels) when Create refuses the size or the memory cannot be had.
    /// @param width the width.
    /// @param height the height.
    CMemoryImage(int width, int height);
    /// Releases the pixel block.
    ~CMemoryImage() override;

    /// Images are not copied as values; CopyFrom copies one image into another.
    CMemoryImage(const CMemoryImage&) = delete;
    /// Images are not assigned as values; CopyFrom copies one image into another.
    /// @return nothing: deleted.
    CMemoryImage& operator=(const CMemoryImage&) = delete;

    // IImage, in its declaration order.
    bool CreateFromBitmap(zvx::HBITMAP bitmap) override;
    bool LoadFromMemory(const void* data, int format) override;
    using IImage::LoadFromMemory;  // the sized form, which the override above would hide
    /// @copydoc IImage::CopyFrom(const IImage*)
    /// A copy of the image itself changes nothing and returns false.
    bool CopyFrom(const IImage* src) override;
    /// @copydoc IImage::Create
    /// The new block is allocated before the old one is released.
    bool Create(int width, int height, zvx::Pixel fill) override;
    bool LoadBmp(const char* fileName) override;
    bool SaveBmp(const char* fileName) override;
    int GetWidth() const override;
    int GetHeight() const override;
    zvx::Pixel GetColor(int x, int y) const override;
    zvx::COLORREF GetColorRef(int x, int y) const override;
    zvx::Pixel GetPixel(int x, int y) const override;
    zvx::BYTE GetRed(int x, int y) const override;
    zvx::BYTE GetGreen(int x, int y) const override;
    zvx::BYTE GetBlue(int x, int y) const override;
    bool SetRows24(int x, int y, int width, int height, const zvx::BYTE* rows) override;
    bool SetColor(int x, int y, zvx::Pixel c) override;
    bool SetPixel(int x, int y, zvx::Pixel v) override;
    bool SetRed(int x, int y, int v) override;
    bool SetGreen(int x, int y, int v) override;
    bool SetBlue(int x, int y, int v) override;
    bool AddRed(int x, int y, int delta) override;
    bool AddGreen(int x, int y, int delta) override;
    bool AddBlue(int x, int y, int delta) override;
    bool ScaleRed(int x, int y, double factor) override;
    bool ScaleGreen(int x, int y, double factor) override;
    bool ScaleBlue(int x, int y, double factor) override;
    zvx::ColorKey GetColorKey() const override;
    bool SetColorKey(zvx::ColorKey key) override;
    bool BltTo(IImage* dest, int x, int y, int width, int height) override;
    bool Draw(zvx::HDC hdc, int x, int y, int width, int height) override;
    bool BltTo(IDibImage* dest, int x, int y) override;
    bool BltTo(IGdiImage* dest, int x, int y) override;
    bool BltTo(IPixelBuffer* dest, int x, int y) override;
    bool BltTo(IImage* dest, int x, int y) override;
    bool Draw(zvx::HDC hdc, int x, int y) override;
    bool TileTo(IImage* dest, int x, int y, int width, int height) override;
    /// @copydoc IImage::DrawTiled
    /// This image selects a clip region of the rectangle into the DC, replacing the DC's own,
    /// and draws whole copies with Draw(HDC, int, int) under it. The region stays selected
    /// in the DC afterwards.
    bool DrawTiled(zvx::HDC hdc, int x, int y, int width, int height) override;
    bool DrawBlend(zvx::HDC hdc, int x, int y, double alpha) override;
    bool BlendTo(IImage* dest, int x, int y, double alpha) override;
    /// @copydoc IImage::DrawLine
    /// This image rasterises the line in software and stores each position with SetColor:
    /// vertical and horizontal lines include both end points; other lines take one position
    /// per column (|slope| <= 1) or per row of their major axis, truncated toward zero, so the
    /// end point the loop measures from is always set and the other only when the arithmetic
    /// lands on it. Steps whose column (or row) lies outside the image are not visited.
    bool DrawLine(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    bool DrawRect(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    bool FillRect(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    IImage* CreateSubImage(int x, int y, int width, int height) override;

    // IPixelBuffer.
    /// @copydoc IPixelBuffer::CopyFrom(const IPixelBuffer*)
    /// A copy of the image itself changes nothing and returns false.
    bool CopyFrom(const IPixelBuffer* src) override;
    BITMAPINFO* GetBitmapInfo() override;
    const zvx::Pixel* GetScanLine(int y) const override;
    zvx::Pixel* GetScanLine(int y) override;

    // Own operations.
    /// Copy bare 24-bit bottom-up rows (bottom row first, each row width x 3 bytes padded to a
    /// multiple of 4, each pixel blue, green, red) over the whole image at its current size,
    /// directly into the pixel array. Each pixel's top byte is kept. The image is neither
    /// re-created nor resized; an image without pixels copies nothing and returns true.
    /// @param rows the rows; the caller must supply height x stride bytes.
    /// @param format must be IMAGE_FORMAT_ROWS24.
    /// @return false, changing nothing, for null rows or another format; otherwise true.
    virtual bool ImportRows24(const zvx::BYTE* rows, int format);
    /// Whether (x, y) shows the transparent colour. The general routes of blitting, drawing and
    /// blending ask this for every pixel of this image, so an override takes effect there.
    /// @param x the column.
    /// @param y the row.
    /// @return true when a colour key is set, (x, y) lies inside and GetColor there equals the
    ///   key; otherwise false.
    virtual bool IsKeyColor(int x, int y) const;
    /// ImportRows24(const BYTE*, int) that first checks the length of its input.
    /// @param rows the rows.
    /// @param size the number of bytes at rows.
    /// @param format must be IMAGE_FORMAT_ROWS24.
    /// @return false, changing nothing, for null rows, another format or fewer bytes than
    ///   height x stride; otherwise true.
    bool ImportRows24(const zvx::BYTE* rows, std::size_t size, int format);

private:
    int m_width = 0;
    int m_height = 0;
    zvx::ColorKey m_colorKey = zvx::COLORKEY_NONE;
    BITMAPINFO m_header{};
    zvx::Pixel* m_pixels = nullptr;
};

#pragma pop_macro("ColorKey")
#pragma pop_macro("Pixel")
#pragma pop_macro("COLORREF")
#pragma pop_macro("BYTE")
