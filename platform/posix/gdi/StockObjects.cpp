// Stock objects: made once, on first use, and never deleted. DeleteObject on them succeeds
// and does nothing, as on Windows.
#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {
namespace {

HGDIOBJ MakeStock(Object&& object)
{
    object.stock = true;
    return Allocate(std::move(object));
}

struct StockSet {
    HGDIOBJ defaultBitmap = nullptr;
    HGDIOBJ blackPen = nullptr;
    HGDIOBJ whiteBrush = nullptr;

    StockSet()
    {
        // A new memory DC holds a 1x1 monochrome bitmap whose one pixel is black. Its rows are
        // word-aligned, as a device-dependent bitmap's are.
        Object bitmap;
        bitmap.kind = Kind::Bitmap;
        bitmap.bitmap.storage = ZeroedStorage(1);
        DibLayout& layout = bitmap.bitmap.layout;
        layout.bits = reinterpret_cast<std::uint8_t*>(bitmap.bitmap.storage.get());
        layout.width = 1;
        layout.height = 1;
        layout.stride = 2;
        layout.bitsPerPixel = 1;
        defaultBitmap = MakeStock(std::move(bitmap));

        Object pen;
        pen.kind = Kind::Pen;
        pen.pen.color = RGB(0, 0, 0);
        blackPen = MakeStock(std::move(pen));

        // Only its handle matters: the window layer paints a class background of this brush.
        Object white;
        white.kind = Kind::Brush;
        whiteBrush = MakeStock(std::move(white));
    }
};

const StockSet& Stock()
{
    static const StockSet* stock = new StockSet();
    return *stock;
}

}  // namespace

HGDIOBJ DefaultBitmap() { return Stock().defaultBitmap; }

HGDIOBJ StockPen(int index) { return index == BLACK_PEN ? Stock().blackPen : nullptr; }

HGDIOBJ StockBrush(int index) { return index == WHITE_BRUSH ? Stock().whiteBrush : nullptr; }

}  // namespace zvx::gdi

// The sample's window class asks for the white brush; nothing asks for another stock object
// (the black pen is only every new DC's own).
HGDIOBJ zvx::win32::GetStockObject(int index) { return zvx::gdi::StockBrush(index); }
