// GetObjectA for bitmaps, pens and brushes, with 64-bit Windows' structure sizes: a buffer
// too small for the structure gets nothing and the call returns 0.
#include <cstdint>
#include <cstring>

#include "platform/posix/gdi/GdiObjects.h"

namespace {

// LOGPEN, LOGBRUSH and DIBSECTION laid out as 64-bit Windows lays them out.
struct LogPen {
    UINT style;
    POINT width;
    COLORREF color;
};
struct LogBrush {
    UINT style;
    COLORREF color;
    std::uintptr_t hatch;
};
struct DibSection {
    BITMAP bitmap;
    BITMAPINFOHEADER header;
    DWORD bitfields[3];
    HANDLE section;
    DWORD offset;
};
static_assert(sizeof(LogPen) == 16 && sizeof(LogBrush) == 16, "LOGPEN and LOGBRUSH are 16 bytes");
static_assert(sizeof(DibSection) == 104, "DIBSECTION is 104 bytes on 64-bit Windows");

template <typename T>
int Answer(const T& value, UINT size, LPVOID buffer)
{
    if (buffer == nullptr) return sizeof(T);
    if (size < sizeof(T)) return 0;
    std::memcpy(buffer, &value, sizeof(T));
    return sizeof(T);
}

}  // namespace

int GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    using namespace zvx::gdi;
    const Object* object = FindAny(handle);
    if (object == nullptr) return 0;
    // The size is taken as unsigned: a negative one counts as large.
    const auto bytes = static_cast<UINT>(size);
    switch (object->kind) {
    case Kind::Bitmap: {
        const Bitmap& source = object->bitmap;
        BITMAP bm{};
        bm.bmWidth = source.layout.width;
        bm.bmHeight = source.layout.height;
        bm.bmWidthBytes = static_cast<LONG>(source.layout.stride);
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(source.layout.bitsPerPixel);
        bm.bmBits = source.isDibSection ? source.layout.bits : nullptr;
        if (source.isDibSection && buffer != nullptr && bytes >= sizeof(DibSection)) {
            DibSection ds{};
            ds.bitmap = bm;
            ds.header = source.header;
            return Answer(ds, bytes, buffer);
        }
        return Answer(bm, bytes, buffer);
    }
    case Kind::Pen: {
        const LogPen pen{PS_SOLID, POINT{object->pen.width, 0}, object->pen.color};
        return Answer(pen, bytes, buffer);
    }
    case Kind::Brush: return Answer(LogBrush{0, object->brush.color, 0}, bytes, buffer);
    case Kind::Dc:
    case Kind::Region: return 0;
    }
    return 0;
}
