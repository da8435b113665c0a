/// @file
/// The image interfaces. Every image is an IImage; IPixelBuffer, IGdiImage and IDibImage expose
/// what only some images can do. IImage and IPixelBuffer are always virtual bases, so an image has
/// exactly one of each and two interface pointers of one type denote the same image exactly when
/// they are equal.
///
/// Conventions shared by every operation:
///  - Pixel is 0x00RRGGBB. Bits 24-31 are not a channel: GetPixel, SetPixel, the channel setters
///    and whole-word block copies carry them; GetColor, SetColor and every colour route clear them.
///  - Results are bool, true on success. A bad argument or a failed system call gives false and
///    leaves the image as it was. Reads outside an image give 0 or a null pointer. Nothing throws.
///  - Coordinates are signed, x to the right and y downwards from the top-left pixel (0, 0); a
///    position is inside when 0 <= x < width and 0 <= y < height.
///  - The declaration order below is the order of each interface's table of virtual functions.
///  - Reads are const, so a const image (the source of CopyFrom) can be read through IImage.
///
/// zvx::DiagnoseBmp says why a .bmp file or file image would not load, and zvx::Describe puts
/// that in words, the system's own for a file that cannot be opened.
///
/// Threads: distinct images may be used on distinct threads at the same time, GDI included (each
/// thread makes, draws on and deletes its own images and draws them onto DCs of its own). One
/// image must not be used from two threads at once, not even for reading while another thread
/// writes: nothing in an image is locked, and a CDibSectionImage's memory DC belongs to the image.
/// An image may be handed from one thread to another with the usual synchronisation (a mutex, a
/// join) between the last use on one and the first use on the other. What the library shares
/// between images (the processor's features, found once, and one kept table of blend results)
/// is thread-safe.
///
/// Names: the library's types and constants (Pixel, ColorKey, COLORKEY_NONE, the
/// IMAGE_FORMAT_ tags, and without Windows BYTE, COLORREF, HBITMAP and HDC) are declared in
/// namespace zvx and, unless a program defines ZVX_NO_GLOBAL_NAMES before it includes a header
/// of the library, also in the global namespace. The image classes and interfaces are global.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ImageTypes.h"

// A program's own macros of these names do not reach the declarations below.
#pragma push_macro("BYTE")
#pragma push_macro("COLORREF")
#pragma push_macro("Pixel")
#pragma push_macro("ColorKey")
#undef BYTE
#undef COLORREF
#undef Pixel
#undef ColorKey

namespace zvx {

/// A whole .bmp file held in memory: the only tag LoadFromMemory accepts.
constexpr int IMAGE_FORMAT_BMPFILE = 384;
/// Bare 24-bit bottom-up rows of the image's own size: the only tag ImportRows24 accepts.
constexpr int IMAGE_FORMAT_ROWS24 = 257;

}  // namespace zvx

#ifndef ZVX_NO_GLOBAL_NAMES
using zvx::IMAGE_FORMAT_BMPFILE;
using zvx::IMAGE_FORMAT_ROWS24;
#endif

/// @class IImage
/// The interface every image implements and through which every image can be used: pixel and
/// channel access, .bmp files, GDI import, copying and blitting with a colour key, alpha
/// blending, drawing onto device contexts, tiling, lines and rectangles.
///
/// Operations that take another image take it through the narrowest interface they need and
/// use nothing of it but that interface, so any class that implements IImage can be a source
/// or a destination. The general routes reach an image only through its virtual operations
/// (GetPixel, SetPixel, GetColor, SetColor, the channel operations, Create, IsKeyColor, ...),
/// so a class derived from CMemoryImage or CDibSectionImage that overrides one of them sees
/// every call the library makes to it.
///
/// Images are deleted through a pointer to IImage; they are never copied or assigned as values.
///
/// @class IPixelBuffer
/// An image whose pixels are one directly addressable array: width x height Pixel words, rows
/// top to bottom, each row left to right, rows back to back with no padding.
///
/// @class IGdiImage
/// An image that is a GDI bitmap (a DIB section) selected into a memory device context of its
/// own, so GDI can draw on it.
///
/// @class IDibImage
/// An image that is both an IGdiImage and an IPixelBuffer: the same pixel memory is reachable
/// through GDI and directly. It declares nothing of its own; BltTo(IDibImage*, int, int) asks
/// for it.

class IImage;
class IPixelBuffer;
class IGdiImage;
class IDibImage;

class ZVX_API IImage {
public:
    /// Re-create the image at a GDI bitmap's size and copy its pixels, as 32-bit top-down rows.
    /// The bitmap is converted first, into a block of its own; only when every row converted is
    /// the image re-created (through Create) and filled, so a failure leaves it as it was.
    /// @param bitmap any GDI bitmap; a bitmap selected into a DC may not be converted.
    /// @return false for a null or unknown handle, a signed width x height below 1, a size
    ///   Create refuses, a conversion that did not deliver every row, or a failed Create.
    virtual bool CreateFromBitmap(zvx::HBITMAP bitmap) = 0;
    /// Take a whole .bmp file held in memory: the image is re-created at the picture's size with
    /// Create and its 24-bit bottom-up rows are written with SetRows24. (A plain CMemoryImage or
    /// CDibSectionImage that already has that size keeps its storage, as every pixel is
    /// overwritten; a CDibSectionImage still gets a new memory DC, as from Create.) The magic,
    /// header size, planes and compression fields are not read; the rows are found through the
    /// offset at byte 10. Rows that lie in the pixels of a CMemoryImage or CDibSectionImage
    /// (derived or not) being loaded are read from a copy taken first. The colour key is kept.
    /// @param data the file's bytes. They are trusted to hold the whole file its header
    ///   describes: bytes whose length is known go to LoadFromMemory(const void*, std::size_t,
    ///   int), which checks it.
    /// @param format must be IMAGE_FORMAT_BMPFILE.
    /// @return false, with the image unchanged, for null data, another format, a bit count
    ///   other than 24, a width or height below 1 (a top-down file has a negative height), a
    ///   size whose pixel count or bytes do not fit 32 bits, no memory for that copy, or a
    ///   failed Create; otherwise what SetRows24 returns (the library's own returns true here).
    virtual bool LoadFromMemory(const void* data, int format) = 0;
    /// LoadFromMemory(const void*, int) for data of a known size: it refuses data shorter than
    /// the header fields the reader uses (30 bytes) or, for a header the reader takes, than the
    /// rows it announces (offset + stride x height), and hands everything else to the
    /// two-argument form, which it calls through the interface. No byte past size is read, by
    /// this or by the library's own two-argument form. LoadBmp loads through this.
    ///
    /// Not virtual: a class that overrides the two-argument form is still called through it. Such
    /// a class hides this form by name, as C++ does with overloads; `using IImage::LoadFromMemory;`
    /// in the class makes it visible again (CMemoryImage and CDibSectionImage have it).
    /// @param data the file's bytes.
    /// @param size the number of bytes at data.
    /// @param format must be IMAGE_FORMAT_BMPFILE; any other tag is refused without calling the
    ///   two-argument form, since only this layout's length can be checked.
    /// @return false, with the image unchanged, for null data, another format or data shorter
    ///   than the above; else what the two-argument form returns. zvx::DiagnoseBmp says why.
    bool LoadFromMemory(const void* data, std::size_t size, int format);
    /// Become a copy of src: Create at its size, its colours pixel by pixel (GetColor, then
    /// SetColor, so top bytes are cleared), then its colour key. A plain CMemoryImage or
    /// CDibSectionImage that already has src's size keeps its storage instead of Create (the
    /// latter with a new memory DC, as from Create).
    /// @param src the image to copy.
    /// @return false for a null src or a failed Create, with this image unchanged. A copy of
    ///   the image itself changes nothing; its result depends on the class.
    virtual bool CopyFrom(const IImage* src) = 0;
    /// Drop the current pixels and become a width x height image filled with fill. A zero fill
    /// clears the pixels at once; any other fill is stored with SetPixel, pixel by pixel, row by
    /// row, so all 32 bits reach every pixel. The colour key is kept.
    /// @param width the new width, at least 1.
    /// @param height the new height, at least 1.
    /// @param fill the word every pixel takes.
    /// @return false, with the image unchanged, for a width or height below 1, a size whose
    ///   bytes (4 x width x height) do not fit 32 bits, or storage that cannot be had.
    virtual bool Create(int width, int height, zvx::Pixel fill) = 0;
    /// Read a 24-bit .bmp file into the image: the file is read whole and handed, with its size,
    /// to LoadFromMemory(const void*, std::size_t, int). The file is opened without sharing.
    /// @param fileName the file's path, in the ANSI code page.
    /// @return false, with the image unchanged, for a null name, a file that cannot be opened
    ///   (missing, unreadable, or held open by another handle), one of 4 GiB or more, a short
    ///   read, a file shorter than its rows, or whatever LoadFromMemory refuses. zvx::DiagnoseBmp
    ///   says which.
    virtual bool LoadBmp(const char* fileName) = 0;
    /// Write the image as a 24-bit bottom-up .bmp file (54-byte header, rows padded to 4
    /// bytes), reading each pixel with GetBlue, GetGreen and GetRed; top bytes are dropped.
    /// The file is written to a new temporary beside the target and then put in its place, so a
    /// failed save leaves an existing file as it was and no temporary behind. An existing file
    /// keeps its attributes (natively its permission bits and owner); a symbolic link is
    /// followed and stays a link. A file of several names (hard links), once the temporary
    /// holds the whole picture, and a file the user may write whose folder takes no temporary or
    /// lets none replace it, are written themselves instead, flushed, and keep every name; a
    /// failure while such a file is written may leave it partly written.
    /// @param fileName the file's path, in the ANSI code page.
    /// @return false for a null or empty name, an image whose width or height is below 1, a
    ///   file of 4 GiB or more, or a target that cannot be written or replaced (a folder, a
    ///   read-only or unreadable file, one held open by another handle, a dangling link, a
    ///   missing folder, a new file in a folder the user may not write to, a full disk); true
    ///   when the whole file is in place.
    virtual bool SaveBmp(const char* fileName) = 0;
    /// @return the width in pixels; 0 for an image without pixels.
    virtual int GetWidth() const = 0;
    /// @return the height in pixels; 0 for an image without pixels.
    virtual int GetHeight() const = 0;
    /// The pixel's colour: GetPixel with the top byte cleared.
    /// @param x the column.
    /// @param y the row.
    /// @return the colour 0x00RRGGBB; 0 outside.
    virtual zvx::Pixel GetColor(int x, int y) const = 0;
    /// The pixel as a GDI colour, from GetBlue, GetGreen and GetRed in that order.
    /// @param x the column.
    /// @param y the row.
    /// @return the colour 0x00BBGGRR (red in the low byte); 0 outside.
    virtual zvx::COLORREF GetColorRef(int x, int y) const = 0;
    /// The stored 32-bit word, top byte included.
    /// @param x the column.
    /// @param y the row.
    /// @return the word; 0 outside.
    virtual zvx::Pixel GetPixel(int x, int y) const = 0;
    ///@{
    /// One channel of GetPixel: red is bits 16-23, green bits 8-15, blue bits 0-7.
    /// @param x the column.
    /// @param y the row.
    /// @return the channel, 0 to 255; 0 outside.
    virtual zvx::BYTE GetRed(int x, int y) const = 0;
    virtual zvx::BYTE GetGreen(int x, int y) const = 0;
    virtual zvx::BYTE GetBlue(int x, int y) const = 0;
    ///@}
    /// Write a block of 24-bit bottom-up rows (the pixel rows of a .bmp file: bottom row first,
    /// each row width x 3 bytes padded to a multiple of 4, each pixel blue, green, red) with its
    /// top-left corner at (x, y). Each pixel is stored with SetColor; targets outside the image
    /// are skipped.
    /// @param x the column of the block's left edge in this image; may be negative.
    /// @param y the row of the block's top edge in this image; may be negative.
    /// @param width the block's width in pixels.
    /// @param height the block's height in rows.
    /// @param rows the block, height x stride bytes.
    /// @return false, writing nothing, for a width or height below 1, null rows, a pixel count
    ///   beyond the int range, or a block wholly outside the image; otherwise true.
    virtual bool SetRows24(int x, int y, int width, int height, const zvx::BYTE* rows) = 0;
    /// Store a colour: SetPixel with c & 0x00FFFFFF.
    /// @param x the column.
    /// @param y the row.
    /// @param c the colour; its top byte is dropped.
    /// @return the result of SetPixel: false outside.
    virtual bool SetColor(int x, int y, zvx::Pixel c) = 0;
    /// Store a 32-bit word unchanged, top byte included.
    /// @param x the column.
    /// @param y the row.
    /// @param v the word.
    /// @return false, writing nothing, outside; otherwise true.
    virtual bool SetPixel(int x, int y, zvx::Pixel v) = 0;
    ///@{
    /// Replace one channel with v clamped to 0..255 (GetPixel, then SetPixel); the other
    /// channels and the top byte stay as they were. These setters do the clamping: AddRed,
    /// ScaleRed and the others hand them the raw value.
    /// @param x the column.
    /// @param y the row.
    /// @param v the new channel value, any int.
    /// @return false, writing nothing, outside; otherwise true, whatever SetPixel returned.
    virtual bool SetRed(int x, int y, int v) = 0;
    virtual bool SetGreen(int x, int y, int v) = 0;
    virtual bool SetBlue(int x, int y, int v) = 0;
    ///@}
    ///@{
    /// Add delta to one channel: the matching setter gets the channel (from the matching getter)
    /// plus delta, unclamped, and clamps it, so the channel saturates at 0 and 255. A sum beyond
    /// the int range reaches the setter as INT_MIN or INT_MAX.
    /// @param x the column.
    /// @param y the row.
    /// @param delta the amount to add; may be negative.
    /// @return false, writing nothing, outside; otherwise true.
    virtual bool AddRed(int x, int y, int delta) = 0;
    virtual bool AddGreen(int x, int y, int delta) = 0;
    virtual bool AddBlue(int x, int y, int delta) = 0;
    ///@}
    ///@{
    /// Multiply one channel by factor: the matching setter gets the product, computed in double
    /// and truncated toward zero, unclamped, and clamps it to 0..255. A product beyond the int
    /// range reaches the setter as INT_MIN or INT_MAX, a NaN product as 0.
    /// @param x the column.
    /// @param y the row.
    /// @param factor the factor; a negative one gives 0.
    /// @return false, writing nothing, outside; otherwise true.
    virtual bool ScaleRed(int x, int y, double factor) = 0;
    virtual bool ScaleGreen(int x, int y, double factor) = 0;
    virtual bool ScaleBlue(int x, int y, double factor) = 0;
    ///@}
    /// @return the colour key as stored; COLORKEY_NONE (-1) for none.
    virtual zvx::ColorKey GetColorKey() const = 0;
    /// Set the transparent colour. Blits, draws and blends of this image leave out its pixels
    /// whose GetColor equals the key; the destination's own key plays no part.
    /// @param key stored unchanged; COLORKEY_NONE removes the key.
    /// @return always true.
    virtual bool SetColorKey(zvx::ColorKey key) = 0;
    /// Copy the top-left width x height part of this image onto dest at (x, y), clipped to
    /// dest, pixel by pixel through dest's SetPixel. Without a key each pixel's colour is
    /// copied (top byte cleared); with a key, key-coloured pixels are left out and the others
    /// copied as whole words.
    ///
    /// Every BltTo may target the image itself: the result is that of blitting an untouched copy
    /// (pixels are visited in an order that reads each before it is overwritten; the GDI routes
    /// draw from a snapshot and return false if it cannot be made).
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @param width the part's width; more than the image's width means the whole width.
    /// @param height the part's height; more than the image's height means the whole height.
    /// @return false, writing nothing, for a null dest, a whole image that would not overlap
    ///   dest (x <= -GetWidth(), y <= -GetHeight(), x >= dest's width, y >= dest's height), or a
    ///   width or height below 1; otherwise true, also when the part itself lands wholly left
    ///   of or above dest and nothing is written.
    virtual bool BltTo(IImage* dest, int x, int y, int width, int height) = 0;
    /// Draw the top-left width x height part onto a device context at (x, y), as Draw(HDC, int,
    /// int) draws the whole image.
    /// @param hdc the device context; GDI clips the drawing to it.
    /// @param x the DC's x of the image's top-left pixel.
    /// @param y the DC's y of the image's top-left pixel.
    /// @param width the part's width; more than the image's width means the whole width.
    /// @param height the part's height; more than the image's height means the whole height.
    /// @return false, drawing nothing, for a width or height below 1; otherwise true, whatever
    ///   GDI answers.
    virtual bool Draw(zvx::HDC hdc, int x, int y, int width, int height) = 0;
    /// Copy this image onto dest at (x, y): without a key through GDI (Draw onto dest's DC);
    /// with a key as BltTo(IPixelBuffer*, int, int), with the same result.
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @return false for a null dest, and with a key whenever the pixel-buffer route gives
    ///   false; without a key true, also when nothing lands on dest.
    virtual bool BltTo(IDibImage* dest, int x, int y) = 0;
    /// Draw this image onto dest's memory device context at (x, y) with Draw, key pixels left
    /// out; GDI clips to dest.
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @return false for a null dest; otherwise true, also when nothing lands on dest.
    virtual bool BltTo(IGdiImage* dest, int x, int y) = 0;
    /// Copy this image onto dest's pixel array at (x, y), clipped to dest: without a key one
    /// block of whole words per row (top bytes kept); with a key pixel by pixel, key-coloured
    /// pixels left out and the others copied as whole words.
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @return false, writing nothing, for a null dest or when this image and dest do not
    ///   overlap; otherwise true.
    virtual bool BltTo(IPixelBuffer* dest, int x, int y) = 0;
    /// Copy this image onto dest at (x, y), clipped to dest, pixel by pixel through dest's
    /// SetPixel: without a key colours (top bytes cleared), with a key whole words of the pixels
    /// that are not key-coloured.
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @return false, writing nothing, for a null dest or when this image and dest do not
    ///   overlap; otherwise true.
    virtual bool BltTo(IImage* dest, int x, int y) = 0;
    /// Draw the whole image onto a device context at (x, y). Without a key this is one
    /// SetDIBitsToDevice of the pixel array; with a key one GDI SetPixel (of GetColorRef) per
    /// pixel that is not key-coloured, rows top to bottom.
    /// @param hdc the device context; GDI clips the drawing to it.
    /// @param x the DC's x of the image's top-left pixel.
    /// @param y the DC's y of the image's top-left pixel.
    /// @return always true; GDI's results are not examined.
    virtual bool Draw(zvx::HDC hdc, int x, int y) = 0;
    /// Fill a rectangle of dest with copies of this image laid edge to edge from (x, y), each
    /// copy made with the sized BltTo and trimmed at the rectangle's right and bottom edges.
    /// Only copies that can reach dest's pixels are made; the image's size is read again for
    /// each copy.
    /// @param dest the destination image; with a null dest no copy is made.
    /// @param x the rectangle's left edge in dest.
    /// @param y the rectangle's top edge in dest.
    /// @param width the rectangle's width.
    /// @param height the rectangle's height.
    /// @return false for an empty rectangle, one ending left of or above 0 (x + width < 0 or
    ///   y + height < 0), or an image without pixels (no step forward); otherwise true, whatever
    ///   the single copies return.
    virtual bool TileTo(IImage* dest, int x, int y, int width, int height) = 0;
    /// Fill a rectangle of a device context with copies of this image laid edge to edge from
    /// (x, y). Only copies that can reach the DC's clip box are drawn. How copies are cut at
    /// the rectangle's edges depends on the class.
    /// @param hdc the device context.
    /// @param x the rectangle's left edge.
    /// @param y the rectangle's top edge.
    /// @param width the rectangle's width.
    /// @param height the rectangle's height.
    /// @return false, refused as TileTo refuses; otherwise true.
    virtual bool DrawTiled(zvx::HDC hdc, int x, int y, int width, int height) = 0;
    /// Blend this image onto a device context with opacity alpha: for each pixel that is not
    /// key-coloured, each channel becomes trunc(image x alpha + DC x (1 - alpha)) in double
    /// precision, capped at 255, read with GDI GetPixel and written with GDI SetPixel.
    /// @param hdc the device context.
    /// @param x the DC's x of the image's top-left pixel.
    /// @param y the DC's y of the image's top-left pixel.
    /// @param alpha the image's weight: above 0 and below 1 blends, 1 or more draws as Draw.
    /// @return false, drawing nothing, for alpha <= 0 or NaN; Draw's result for alpha >= 1;
    ///   otherwise true.
    virtual bool DrawBlend(zvx::HDC hdc, int x, int y, double alpha) = 0;
    /// Blend this image onto dest with opacity alpha. For each pixel of this image that is not
    /// key-coloured and lands inside dest, each channel becomes trunc(dest x (1 - alpha) +
    /// source x alpha), each product and the sum rounded to double, capped at 255; it is read
    /// with GetRed, GetGreen and GetBlue and stored with dest's SetColor (top byte 0).
    /// Onto the image itself, the result is that of blending an untouched copy: each pixel is
    /// read before it is overwritten.
    /// @param dest the destination image.
    /// @param x the destination column of this image's top-left pixel.
    /// @param y the destination row of this image's top-left pixel.
    /// @param alpha the opacity: above 0 and below 1 blends, 1 or more is BltTo(IImage*, int,
    ///   int).
    /// @return false for alpha <= 0 or NaN, or a null dest; BltTo's result for alpha >= 1;
    ///   otherwise true, also when nothing overlaps.
    virtual bool BlendTo(IImage* dest, int x, int y, double alpha) = 0;
    /// Draw a one-pixel line from (x0, y0) to (x1, y1) into this image; positions outside are
    /// left out. How the line is rasterised depends on the class.
    /// @param x0 the first end point's column.
    /// @param y0 the first end point's row.
    /// @param x1 the second end point's column.
    /// @param y1 the second end point's row.
    /// @param color the colour; its top byte is dropped.
    /// @return false, drawing nothing, when the end points coincide; otherwise true.
    virtual bool DrawLine(int x0, int y0, int x1, int y1, zvx::Pixel color) = 0;
    /// Draw a rectangle outline with four DrawLine calls, always all four, each side starting
    /// where the previous ends: (x0, y0)-(x1, y0), (x1, y0)-(x1, y1), (x1, y1)-(x0, y1),
    /// (x0, y1)-(x0, y0).
    /// @param x0 one corner's column.
    /// @param y0 one corner's row.
    /// @param x1 the opposite corner's column.
    /// @param y1 the opposite corner's row.
    /// @param color the colour; its top byte is dropped.
    /// @return true if any of the four DrawLine calls returned true.
    virtual bool DrawRect(int x0, int y0, int x1, int y1, zvx::Pixel color) = 0;
    /// Fill a rectangle with one horizontal DrawLine per row, from row y0 towards y1, both
    /// included. Rows outside the image are skipped (they have no pixel to set); a skipped row
    /// counts as the true a line between distinct end points gives.
    /// @param x0 one corner's column.
    /// @param y0 one corner's row.
    /// @param x1 the opposite corner's column.
    /// @param y1 the opposite corner's row.
    /// @param color the colour; its top byte is dropped.
    /// @return for x0 == x1 or y0 == y1 the result of the single DrawLine(x0, y0, x1, y1,
    ///   color); otherwise true if any row's DrawLine returned true or any row was skipped.
    virtual bool FillRect(int x0, int y0, int x1, int y1, zvx::Pixel color) = 0;
    /// A new CMemoryImage holding a copy of a rectangle of this image, read with GetColor (top
    /// bytes cleared). The rectangle is not clipped: positions beyond this image's right or
    /// bottom edge give 0. The colour key is not carried over.
    /// @param x the rectangle's left edge, at least 0.
    /// @param y the rectangle's top edge, at least 0.
    /// @param width the rectangle's width, at least 1.
    /// @param height the rectangle's height, at least 1.
    /// @return the new image, which the caller owns and deletes through IImage; null for a
    ///   negative x or y, a width or height below 1, or when memory cannot be had.
    virtual IImage* CreateSubImage(int x, int y, int width, int height) = 0;

    /// Destroys the whole image, whatever interface it is deleted through.
    virtual ~IImage() = default;

protected:
    /// Only images are made.
    IImage() = default;
    /// Only the derived class copies its interface part.
    IImage(const IImage&) = default;
    /// Only the derived class assigns its interface part.
    /// @return this interface part.
    IImage& operator=(const IImage&) = default;
};

class ZVX_API IPixelBuffer : public virtual IImage {
public:
    /// Become a copy of src: Create at its size, its whole pixel array in one block (whole
    /// words, top bytes kept), then its colour key. A plain CMemoryImage or CDibSectionImage
    /// that already has src's size keeps its storage instead of Create (the latter with a new
    /// memory DC, as from Create).
    /// @param src the image to copy.
    /// @return false, with this image unchanged, for a null src, a src without pixels or a
    ///   failed Create. A copy of the image itself changes nothing; its result depends on the
    ///   class.
    virtual bool CopyFrom(const IPixelBuffer* src) = 0;
    /// The header describing the pixel array to GDI: 32-bit BI_RGB, biWidth the width, biHeight
    /// minus the height (top-down rows), everything else 0.
    /// @return the image's own header, rewritten in place by every successful Create.
    virtual BITMAPINFO* GetBitmapInfo() = 0;
    ///@{
    /// First pixel of row y. Rows are packed back to back, so row y + 1 starts width pixels
    /// further on. Valid until the next successful Create or the image's destruction.
    /// @param y the row.
    /// @return the row's first pixel; null when y < 0 or y >= height.
    virtual const zvx::Pixel* GetScanLine(int y) const = 0;
    virtual zvx::Pixel* GetScanLine(int y) = 0;
    ///@}

    using IImage::CopyFrom;
};

class ZVX_API IGdiImage : public virtual IImage {
public:
    /// @return the image's DIB section; valid until the next successful Create or the image's
    ///   destruction.
    virtual zvx::HBITMAP GetBitmap() = 0;
    /// The image's memory device context, with the section selected into it for its whole
    /// life: draw on it without selecting anything.
    /// @return the DC; valid until the next successful Create or the image's destruction.
    virtual zvx::HDC GetDC() = 0;
};

// An image that is both a GDI bitmap with its own DC and a directly addressable pixel array.
class ZVX_API IDibImage : public IGdiImage, public virtual IPixelBuffer {
public:
    using IPixelBuffer::CopyFrom;
};

namespace zvx {

/// What DiagnoseBmp finds: whether LoadBmp, or LoadFromMemory with a size, takes a .bmp file.
enum class BmpVerdict {
    /// The reader takes it (as long as the image's storage can be had).
    Ok,
    /// The file could not be opened or read; BmpDiagnosis::systemError says why.
    CannotOpen,
    /// Not a picture the reader takes: bits per pixel other than 24, or a width or height below 1
    /// (a top-down file has a negative height). The compression field is not read.
    NotSupported,
    /// Shorter than the header fields the reader uses (30 bytes) or than the rows the header
    /// announces.
    Truncated,
    /// A file of 4 GiB or more, or a picture whose pixels would take more than the 4 GiB an
    /// image may have.
    TooLarge,
    /// Refused, and not a .bmp file at all: the data does not begin with the signature "BM" (a
    /// PNG or JPEG file named .bmp, say). The reader itself does not look at the signature, so
    /// data without it that the reader takes is Ok.
    NotBmp
};

/// A verdict and, for BmpVerdict::CannotOpen, the system's reason.
struct BmpDiagnosis {
    /// What the reader would decide.
    BmpVerdict verdict;
    /// For CannotOpen the system's error code (GetLastError: 2 a missing file, 3 a missing folder,
    /// 5 access denied or a folder, 32 a file held open by another handle, ...); else 0.
    /// Without Windows the codes are the ones Windows gives for the same case; Describe gives
    /// the system's own words.
    unsigned long systemError;
};

/// Why LoadBmp(fileName) succeeds or fails, found by the same reading and checks, without
/// touching any image. Every operation keeps reporting failure only as false; a program calls
/// this when a load failed, or before it loads.
/// @param fileName the file's path, in the ANSI code page; null is CannotOpen with 3, the code
///   the system gives for a null name.
/// @return CannotOpen with the system's code when the file cannot be opened, its size cannot be
///   had or it cannot be read (8 when there is no memory for it); TooLarge for a file of 4 GiB or
///   more; Truncated when it ends before the size it had when opened; else the verdict on its
///   bytes, as DiagnoseBmp(const void*, std::size_t) gives it.
ZVX_API BmpDiagnosis DiagnoseBmp(const char* fileName);
/// Why LoadFromMemory(data, size, IMAGE_FORMAT_BMPFILE) on a CMemoryImage or CDibSectionImage
/// succeeds or fails, by the same checks. No byte past size is read.
/// @param data the file's bytes; null counts as no bytes (Truncated).
/// @param size the number of bytes at data.
/// @return Truncated for fewer than 30 bytes; NotSupported for a bit count other than 24 or a
///   width or height below 1; TooLarge for a picture whose pixels need more than 4 GiB; Truncated
///   when the rows the header announces run past size; else Ok. Any of these refusals is NotBmp
///   instead when the bytes there do not begin as "BM" does. systemError is 0.
ZVX_API BmpDiagnosis DiagnoseBmp(const void* data, std::size_t size);
/// @param verdict any value.
/// @return one English sentence that says what the verdict means; for a value that is not a
///   BmpVerdict, a sentence that says so. The text is static and never null.
ZVX_API const char* Describe(BmpVerdict verdict);
/// A diagnosis in words: Describe(diagnosis.verdict) and, for CannotOpen, the system error's
/// code and the system's own words for it, e.g. "The file could not be opened or read (system
/// error 2): No such file or directory". On Windows the words are FormatMessage's for the code,
/// in the system's language and the ANSI code page. Without Windows they are the C library's for
/// the error the file call met (strerror), or name the kind of file that stood there (a folder, a
/// FIFO, a device), which the code alone cannot tell. That detail is kept with the thread's last
/// failed file call, so ask on the thread that diagnosed, before another file call fails there;
/// for any other code the words are the C library's for the error nearest to it.
/// @param diagnosis what DiagnoseBmp returned.
/// @param text where the words go, cut short to fit and always ended with a zero byte when size
///   is at least 1; may be null when size is 0.
/// @param size the number of bytes at text.
/// @return the length of the whole text without its zero byte, as snprintf gives it: a result of
///   size or more means the text was cut short.
ZVX_API std::size_t Describe(BmpDiagnosis diagnosis, char* text, std::size_t size);

}  // namespace zvx

#pragma pop_macro("ColorKey")
#pragma pop_macro("Pixel")
#pragma pop_macro("COLORREF")
#pragma pop_macro("BYTE")
