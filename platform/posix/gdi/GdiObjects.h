// The GDI layer's own view of its objects: what a handle stands for, how handles are checked,
// and the pixel memory that drawing calls write into. Internal to platform/posix/gdi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/Win32.h"

namespace zvx::gdi {

enum class Kind : std::uint8_t { Bitmap = 1, Dc = 2, Pen = 3, Brush = 4, Region = 5 };

// Half-open rectangle [left, right) x [top, bottom).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
Rect Intersect(const Rect& a, const Rect& b);

// Pixel memory as the drawing code sees it: 1, 24 or 32 bits per pixel, rows in memory
// bottom-up or top-down. y is always counted from the top.
struct Raster {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // bytes from one row in memory to the next
    int bitsPerPixel = 0;
    bool bottomUp = false;

    bool IsValid() const { return bits != nullptr && width > 0 && height > 0; }
    Rect Bounds() const { return Rect{0, 0, width, height}; }
    std::uint8_t* Row(int y) const
    {
        const int memoryRow = bottomUp ? height - 1 - y : y;
        return bits + static_cast<std::ptrdiff_t>(memoryRow) * stride;
    }
};

struct Bitmap {
    Raster raster;
    std::unique_ptr<std::uint32_t[]> storage;  // owns raster.bits
    bool isDibSection = false;                 // false: the 1x1 monochrome default bitmap
    BITMAPINFOHEADER header{};                 // as created, for GetObjectA's DIBSECTION
};

struct Pen {
    COLORREF color = 0;
    int width = 0;  // as asked for; every pen draws one pixel wide
};

struct Brush {
    COLORREF color = 0;
};

struct Region {
    Rect rect;  // normalised; empty means NULLREGION
};

enum class DcKind : std::uint8_t { Memory, Screen, Surface };

struct Dc {
    DcKind kind = DcKind::Memory;
    HGDIOBJ bitmap = nullptr;  // memory DCs only
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    bool hasClip = false;
    Rect clip;
    POINT position{0, 0};
    Raster surface;  // surface DCs: the caller's pixels
};

// What a handle stands for. Kind, stock and the object's own description are fixed when it is
// made; a DC's state changes only through calls on that DC. The two counts of who holds it are
// the table's, changed only under its lock (TakeSelection, ReleaseSelection,
// DeleteWhenReleased), since DCs of several threads may hold one pen or brush.
struct Object {
    Kind kind = Kind::Bitmap;
    bool stock = false;
    int selections = 0;          // how many DCs hold it
    bool deletePending = false;  // DeleteObject came while it was selected
    Bitmap bitmap;
    Pen pen;
    Brush brush;
    Region region;
    Dc dc;
};

// ---- the handle table (ObjectTable.cpp) ---------------------------------------------------
// Handles encode a table index, a generation and the kind; nothing is ever dereferenced, so a
// stale, deleted, foreign or wrongly-typed handle simply is not found. Every call may come from
// any thread; an object found stays valid until it is freed.
HGDIOBJ Allocate(Object&& object);
Object* Find(const void* handle, Kind kind);
Object* FindAny(const void* handle);
void Free(const void* handle);
// DeleteObject of anything but a DC: freed now, or once no DC holds it. False when not found.
bool DeleteWhenReleased(const void* handle);
// A DC that holds `held` asks to hold handle instead. An object waiting to be deleted is
// refused, and an exclusive one (a bitmap) while another DC holds it; stock objects are never
// counted.
enum class Selection : std::uint8_t { Refused, AlreadyHeld, Taken };
Selection TakeSelection(HGDIOBJ handle, HGDIOBJ held, bool exclusive);
// A DC stops holding an object: drops its selection and finishes a pending delete.
void ReleaseSelection(HGDIOBJ handle);

// ---- stock objects (StockObjects.cpp) ------------------------------------------------------
HGDIOBJ DefaultBitmap();
HGDIOBJ StockPen(int index);
HGDIOBJ StockBrush(int index);

// ---- device contexts (DeviceContexts.cpp) --------------------------------------------------
HDC CreateDc(DcKind kind);
void DestroyDc(HDC hdc);
// Where a DC draws: its pixels and the rectangle drawing may touch (bitmap bounds and clip
// region). False when hdc is not a live DC. A DC with nothing to draw on gets an empty clip.
struct Target {
    Dc* dc = nullptr;
    Raster raster;
    Rect clip;
};
bool ResolveTarget(HDC hdc, Target& target);

// ---- pixel formats (PixelFormat.cpp) -------------------------------------------------------
// A COLORREF as 0x00RRGGBB, with palette-index colours taken from the default palette.
std::uint32_t ColorRefToRgb(COLORREF color);
std::uint32_t RgbToColorRef(std::uint32_t rgb);
// What the raster would store for a colour, read back as 0x00RRGGBB.
std::uint32_t Quantize(const Raster& raster, std::uint32_t rgb);
// Reads a pixel as 0x00RRGGBB, top byte included for 32-bit rasters.
std::uint32_t ReadPixel(const Raster& raster, int x, int y);
// Writes a 32-bit word: 32-bit rasters keep it whole, others take its colour.
void WritePixel(const Raster& raster, int x, int y, std::uint32_t word);

}  // namespace zvx::gdi
