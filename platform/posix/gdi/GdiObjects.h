// The GDI layer's own view of its objects: what a handle stands for, how handles are checked,
// and where a DC draws. Internal to platform/posix/gdi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/Clip.h"
#include "core/PixelRows.h"
#include "platform/Win32.h"

namespace zvx::gdi {

// The rows a BITMAPINFOHEADER describes at bits (which may be null): true for a 24- or 32-bit
// BI_RGB header with one plane, a positive width, a non-zero height and a pixel block whose size
// fits in 31 bits; rows are padded to 4 bytes and lie bottom-up for a positive height
// (Transfers.cpp).
bool DescribeDib(const BITMAPINFOHEADER& header, const void* bits, PixelRows& rows);

enum class Kind : std::uint8_t { Bitmap = 1, Dc = 2, Pen = 3, Brush = 4, Region = 5 };

// Pixel storage from calloc: fresh pages come zeroed from the system and are not written twice.
struct FreeStorage {
    void operator()(std::uint32_t* words) const { std::free(words); }
};
using Storage = std::unique_ptr<std::uint32_t[], FreeStorage>;
inline Storage ZeroedStorage(std::size_t words)
{
    return Storage(static_cast<std::uint32_t*>(std::calloc(words, sizeof(std::uint32_t))));
}

struct Bitmap {
    PixelRows layout;
    Storage storage;            // owns the layout's pixels
    bool isDibSection = false;  // false: a new DC's stock bitmap, which has no pixels
};

struct Pen {
    COLORREF color = 0;  // every pen draws one pixel wide
};

struct Region {
    Rect rect;  // normalised; empty (Rect{}) means NULLREGION
};

enum class DcKind : std::uint8_t { Memory, Screen, Surface };

struct Dc {
    DcKind kind = DcKind::Memory;
    HGDIOBJ bitmap = nullptr;  // memory DCs only
    HGDIOBJ pen = nullptr;
    bool hasClip = false;
    Rect clip;
    POINT position{0, 0};
    PixelRows surface;  // surface DCs: the caller's pixels
};

// What a handle stands for. Kind, stock and the object's own description are fixed when it is
// made; a DC's state changes only through calls on that DC. The two counts of who holds it are
// the table's, changed only under its lock (TakeSelection, ReleaseSelection,
// DeleteWhenReleased), since DCs of several threads may hold one pen.
struct Object {
    Kind kind = Kind::Bitmap;
    bool stock = false;
    int selections = 0;          // how many DCs hold it
    bool deletePending = false;  // DeleteObject came while it was selected
    Bitmap bitmap;
    Pen pen;
    Region region;
    Dc dc;
};

// ---- the handle table (Objects.cpp) --------------------------------------------------------
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
HGDIOBJ StockBrush(int index);  // WHITE_BRUSH only: a window class's background

// ---- device contexts (DeviceContexts.cpp) --------------------------------------------------
HDC CreateDc(DcKind kind);
void DestroyDc(HDC hdc);
// Where a DC draws: its pixels and the rectangle drawing may touch, its clip box (ClipBox: bitmap
// bounds cut to the clip region, edge by edge). False when hdc is not a live DC. A DC with nothing
// to draw on gets an empty clip.
struct Target {
    Dc* dc = nullptr;
    PixelRows layout;
    Rect clip;
};
bool ResolveTarget(HDC hdc, Target& target);

}  // namespace zvx::gdi
