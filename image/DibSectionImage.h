/// @file
/// CDibSectionImage: a 32-bit image whose pixels live in a GDI DIB section selected into a memory
/// device context that the image owns. The same memory is reachable directly (GetPixel,
/// GetScanLine) and through GDI drawing on GetDC().
///
/// @class CDibSectionImage
/// A 32-bit image whose pixels live in a GDI DIB section (32-bit, top-down) selected into a
/// memory device context that the image owns. The same memory is reachable directly (GetPixel,
/// GetScanLine) and through GDI drawing on GetDC(); lines are drawn with a GDI pen.
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

/// @cond
class CDibSectionImage;
namespace zvx {
// The library's own, for a re-creation that keeps the section (image/FastPaths.cpp).
bool RenewMemoryDC(CDibSectionImage& image);
}  // namespace zvx
/// @endcond

class ZVX_API CDibSectionImage : public IDibImage {
public:
    /// A 128 x 128 black image with its section and memory DC, made with this class's own
    /// Create; usable during static initialisation with no window and no display. When the
    /// system refuses the section or the DC, the image is empty (0 x 0, no pixels).
    CDibSectionImage();
    /// Selects the DC's original bitmap back, then deletes the section and the memory DC.
    ~CDibSectionImage() override;

    /// Images are not copied as values; CopyFrom copies one image into another.
    CDibSectionImage(const CDibSectionImage&) = delete;
    /// Images are not assigned as values; CopyFrom copies one image into another.
    /// @return nothing: deleted.
    CDibSectionImage& operator=(const CDibSectionImage&) = delete;

    // IImage, in its declaration order.
    bool CreateFromBitmap(zvx::HBITMAP bitmap) override;
    bool LoadFromMemory(const void* data, int format) override;
    using IImage::LoadFromMemory;  // the sized form, which the override above would hide
    /// @copydoc IImage::CopyFrom(const IImage*)
    /// A copy of the image itself changes nothing and returns true.
    bool CopyFrom(const IImage* src) override;
    /// @copydoc IImage::Create
    /// The new section and DC are made before the old ones go, so a failed Create (the system
    /// refusing either) changes nothing. Handles and row pointers obtained before a successful
    /// Create are no longer valid.
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
    /// This image draws each copy with Draw(HDC, int, int, int, int), trimmed at the
    /// rectangle's right and bottom edges; the DC's clip region is left as it was.
    bool DrawTiled(zvx::HDC hdc, int x, int y, int width, int height) override;
    bool DrawBlend(zvx::HDC hdc, int x, int y, double alpha) override;
    bool BlendTo(IImage* dest, int x, int y, double alpha) override;
    /// @copydoc IImage::DrawLine
    /// This image draws with a one-pixel GDI pen on its memory DC (MoveToEx, then LineTo),
    /// which leaves out the final point (x1, y1); GDI clips to the image. The DC keeps the pen
    /// it had before.
    bool DrawLine(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    bool DrawRect(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    bool FillRect(int x0, int y0, int x1, int y1, zvx::Pixel color) override;
    IImage* CreateSubImage(int x, int y, int width, int height) override;

    // IPixelBuffer.
    /// @copydoc IPixelBuffer::CopyFrom(const IPixelBuffer*)
    /// A copy of the image itself changes nothing and returns true.
    bool CopyFrom(const IPixelBuffer* src) override;
    BITMAPINFO* GetBitmapInfo() override;
    const zvx::Pixel* GetScanLine(int y) const override;
    zvx::Pixel* GetScanLine(int y) override;

    // IGdiImage.
    zvx::HBITMAP GetBitmap() override;
    zvx::HDC GetDC() override;

    // Own operations.
    /// Copy bare 24-bit bottom-up rows (bottom row first, each row width x 3 bytes padded to a
    /// multiple of 4, each pixel blue, green, red) over the whole image at its current size,
    /// directly into the pixel array. Each pixel's top byte is kept. The image is neither
    /// re-created nor resized; an image without pixels copies nothing and returns true.
    /// @param rows the rows; the caller must supply height x stride bytes.
    /// @param format must be IMAGE_FORMAT_ROWS24.
    /// @return false, changing nothing, for null rows or another format; otherwise true.
    virtual bool ImportRows24(const zvx::BYTE* rows, int format);
    /// The memory device context, the same handle as GetDC. CreateFromBitmap converts through
    /// it and DrawLine draws on it, both calling this as a virtual operation.
    /// @return the DC; valid until the next successful Create or the image's destruction.
    virtual zvx::HDC GetMemoryDC();
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
    /// @cond
    // Gives an image that has a section a new memory DC with the section selected, and deletes
    // the old DC: false, changing nothing, when the system refuses the DC.
    friend bool zvx::RenewMemoryDC(CDibSectionImage& image);
    /// @endcond

    int m_width = 0;
    int m_height = 0;
    zvx::ColorKey m_colorKey = zvx::COLORKEY_NONE;
    zvx::HBITMAP m_section = nullptr;
    zvx::HBITMAP m_previousBitmap = nullptr;
    zvx::HDC m_memoryDC = nullptr;
    BITMAPINFO m_header{};
    zvx::Pixel* m_pixels = nullptr;
};

#pragma pop_macro("ColorKey")
#pragma pop_macro("Pixel")
#pragma pop_macro("COLORREF")
#pragma pop_macro("BYTE")
