// GetObjectA as CreateFromBitmap asks, with 64-bit Windows' layouts: a bitmap as a BITMAP, and a
// pen, which it may be handed instead, as a LOGPEN (whose size it then refuses). Any other
// handle, and a buffer too small, get nothing: the call returns 0.
#include <cstring>

#include "platform/posix/gdi/GdiObjects.h"

namespace {

// LOGPEN as 64-bit Windows lays it out.
struct LogPen {
    UINT style;
    POINT width;
    COLORREF color;
};
static_assert(sizeof(LogPen) == 16, "LOGPEN is 16 bytes");

template <typename T>
int Answer(const T& value, UINT size, LPVOID buffer)
{
    if (buffer == nullptr) return sizeof(T);
    if (size < sizeof(T)) return 0;
    std::memcpy(buffer, &value, sizeof(T));
    return sizeof(T);
}

}  // namespace

int zvx::win32::GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    using namespace zvx::gdi;
    // The size is taken as unsigned: a negative one counts as large.
    const auto bytes = static_cast<UINT>(size);
    if (const Object* pen = Find(handle, Kind::Pen)) {
        return Answer(LogPen{PS_SOLID, POINT{pen->pen.width, 0}, pen->pen.color}, bytes, buffer);
    }
    const Object* object = Find(handle, Kind::Bitmap);
    if (object == nullptr) return 0;
    const Bitmap& source = object->bitmap;
    BITMAP bm{};
    bm.bmWidth = source.layout.width;
    bm.bmHeight = source.layout.height;
    bm.bmWidthBytes = static_cast<LONG>(source.layout.stride);
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(source.layout.bitsPerPixel);
    bm.bmBits = source.isDibSection ? source.layout.bits : nullptr;
    return Answer(bm, bytes, buffer);
}
