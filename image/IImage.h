// The image interfaces. Every image is an IImage; IPixelBuffer, IGdiImage and IDibImage expose
// what only some images can do. IImage and IPixelBuffer are always virtual bases, so an image has
// exactly one of each and two interface pointers of one type denote the same image exactly when
// they are equal.
//
// Conventions shared by every operation:
//  - Pixel is 0x00RRGGBB. Bits 24-31 are not a channel: GetPixel, SetPixel, the channel setters
//    and whole-word block copies carry them; GetColor, SetColor and every colour route clear them.
//  - Results are bool, true on success. A bad argument or a failed system call gives false and
//    leaves the image as it was. Reads outside an image give 0 or a null pointer. Nothing throws.
//  - The declaration order below is the order of each interface's table of virtual functions.
//  - Reads are const, so a const image (the source of CopyFrom) can be read through IImage.
#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/Win32.h"

typedef std::uint32_t Pixel;

// An image's transparent colour: a Pixel value compared with GetColor (top byte cleared), or -1
// for none. A key whose top byte is set therefore never matches any pixel.
typedef std::int32_t ColorKey;
constexpr ColorKey COLORKEY_NONE = -1;

// A whole .bmp file held in memory: the only tag LoadFromMemory accepts.
constexpr int IMAGE_FORMAT_BMPFILE = 384;
// Bare 24-bit bottom-up rows of the image's own size: the only tag ImportRows24 accepts.
constexpr int IMAGE_FORMAT_ROWS24 = 257;

class IImage;
class IPixelBuffer;
class IGdiImage;
class IDibImage;

class ZVX_API IImage {
public:
    // Re-create the image at the bitmap's size and copy its pixels.
    virtual bool CreateFromBitmap(HBITMAP bitmap) = 0;
    // Take a whole .bmp file held in memory; format must be IMAGE_FORMAT_BMPFILE. The data is
    // trusted to hold the whole file its header describes (LoadBmp checks a file's length).
    virtual bool LoadFromMemory(const void* data, int format) = 0;
    // Become a copy of src: its size, its colours (top bytes cleared), its colour key.
    virtual bool CopyFrom(const IImage* src) = 0;
    // Drop the current pixels and become a width x height image filled with fill.
    virtual bool Create(int width, int height, Pixel fill) = 0;
    // Read a 24-bit .bmp file into the image.
    virtual bool LoadBmp(const char* fileName) = 0;
    // Write the image as a 24-bit .bmp file.
    virtual bool SaveBmp(const char* fileName) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // GetPixel with the top byte cleared; 0 outside.
    virtual Pixel GetColor(int x, int y) const = 0;
    // The pixel as a GDI colour 0x00BBGGRR; 0 outside.
    virtual COLORREF GetColorRef(int x, int y) const = 0;
    // The stored 32-bit word; 0 outside.
    virtual Pixel GetPixel(int x, int y) const = 0;
    virtual BYTE GetRed(int x, int y) const = 0;
    virtual BYTE GetGreen(int x, int y) const = 0;
    virtual BYTE GetBlue(int x, int y) const = 0;
    // Write a block of 24-bit bottom-up rows with its top-left corner at (x, y), clipped.
    virtual bool SetRows24(int x, int y, int width, int height, const BYTE* rows) = 0;
    // SetPixel with c & 0x00FFFFFF.
    virtual bool SetColor(int x, int y, Pixel c) = 0;
    // Store v unchanged; false outside.
    virtual bool SetPixel(int x, int y, Pixel v) = 0;
    // Replace one channel with v clamped to 0..255; false outside.
    virtual bool SetRed(int x, int y, int v) = 0;
    virtual bool SetGreen(int x, int y, int v) = 0;
    virtual bool SetBlue(int x, int y, int v) = 0;
    // Add delta to one channel, saturating at 0 and 255; false outside.
    virtual bool AddRed(int x, int y, int delta) = 0;
    virtual bool AddGreen(int x, int y, int delta) = 0;
    virtual bool AddBlue(int x, int y, int delta) = 0;
    // Multiply one channel by factor, truncated toward zero and clamped; false outside.
    virtual bool ScaleRed(int x, int y, double factor) = 0;
    virtual bool ScaleGreen(int x, int y, double factor) = 0;
    virtual bool ScaleBlue(int x, int y, double factor) = 0;
    virtual ColorKey GetColorKey() const = 0;
    // Store key unchanged (-1 removes it); always true.
    virtual bool SetColorKey(ColorKey key) = 0;
    // Copy the top-left width x height part of this image onto dest at (x, y), key pixels
    // skipped, pixel by pixel.
    // Every BltTo may target the image itself: the result is that of blitting an untouched copy
    // (pixels are visited in an order that reads each before it is overwritten; the GDI routes
    // draw from a snapshot and return false if it cannot be made).
    virtual bool BltTo(IImage* dest, int x, int y, int width, int height) = 0;
    // Draw the top-left width x height part onto a device context at (x, y).
    virtual bool Draw(HDC hdc, int x, int y, int width, int height) = 0;
    // Copy this image onto dest at (x, y): through GDI when there is no key, else as the
    // IPixelBuffer overload.
    virtual bool BltTo(IDibImage* dest, int x, int y) = 0;
    // Draw this image onto dest's memory device context at (x, y).
    virtual bool BltTo(IGdiImage* dest, int x, int y) = 0;
    // Copy this image onto dest's pixel array at (x, y), row by row, key pixels skipped.
    virtual bool BltTo(IPixelBuffer* dest, int x, int y) = 0;
    // Copy this image onto dest at (x, y) pixel by pixel, key pixels skipped.
    virtual bool BltTo(IImage* dest, int x, int y) = 0;
    // Draw the whole image onto a device context at (x, y), key pixels skipped.
    virtual bool Draw(HDC hdc, int x, int y) = 0;
    // Fill a rectangle of dest with copies of this image laid edge to edge. False for an empty
    // rectangle, one ending left of or above 0, or an image without pixels (no step forward).
    virtual bool TileTo(IImage* dest, int x, int y, int width, int height) = 0;
    // Fill a rectangle of a device context with copies of this image; refused as TileTo is.
    virtual bool DrawTiled(HDC hdc, int x, int y, int width, int height) = 0;
    // Blend this image onto a device context with opacity alpha.
    virtual bool DrawBlend(HDC hdc, int x, int y, double alpha) = 0;
    // Blend this image onto dest with opacity alpha. Onto the image itself, the result is that
    // of blending an untouched copy: each pixel is read before it is overwritten.
    virtual bool BlendTo(IImage* dest, int x, int y, double alpha) = 0;
    virtual bool DrawLine(int x0, int y0, int x1, int y1, Pixel color) = 0;
    virtual bool DrawRect(int x0, int y0, int x1, int y1, Pixel color) = 0;
    virtual bool FillRect(int x0, int y0, int x1, int y1, Pixel color) = 0;
    // A new CMemoryImage holding a copy of a rectangle of this image; the caller owns it and
    // deletes it through IImage. Null on bad arguments or when memory cannot be had.
    virtual IImage* CreateSubImage(int x, int y, int width, int height) = 0;

    virtual ~IImage() = default;

protected:
    IImage() = default;
    IImage(const IImage&) = default;
    IImage& operator=(const IImage&) = default;
};

class ZVX_API IPixelBuffer : public virtual IImage {
public:
    // Become a copy of src by copying its whole pixel array in one block, then its colour key.
    virtual bool CopyFrom(const IPixelBuffer* src) = 0;
    // The header describing the pixel array to GDI (32-bit top-down BI_RGB).
    virtual BITMAPINFO* GetBitmapInfo() = 0;
    // First pixel of row y; null when y < 0 or y >= height. Rows are packed back to back.
    virtual const Pixel* GetScanLine(int y) const = 0;
    virtual Pixel* GetScanLine(int y) = 0;

    using IImage::CopyFrom;
};

class ZVX_API IGdiImage : public virtual IImage {
public:
    // The image's DIB section.
    virtual HBITMAP GetBitmap() = 0;
    // The image's memory device context, with the section selected into it.
    virtual HDC GetDC() = 0;
};

// An image that is both a GDI bitmap with its own DC and a directly addressable pixel array.
class ZVX_API IDibImage : public IGdiImage, public virtual IPixelBuffer {
public:
    using IPixelBuffer::CopyFrom;
};
