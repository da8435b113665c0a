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
        // A new memory DC holds a stock bitmap until an image selects its section in. Windows'
        // is a 1x1 monochrome one; nothing draws on it or reads it here (images select their
        // section at once, and its handle never leaves the library), so it has no pixels and a
        // DC holding it draws nothing.
        Object bitmap;
        bitmap.kind = Kind::Bitmap;
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
