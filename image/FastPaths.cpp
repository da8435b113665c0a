#include "image/FastPaths.h"

#include <algorithm>
#include <cstddef>
#include <typeinfo>

#include "image/Color.h"
#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "image/PixelRows.h"
#include "image/RowKernels.h"
#include "image/draw/LineSteps.h"
#include "platform/Win32.h"

namespace zvx {

PlainImage PlainRows(const IImage& image)
{
    const std::type_info& type = typeid(image);
    if (type != typeid(CMemoryImage) && type != typeid(CDibSectionImage)) return {};
    const auto& buffer = dynamic_cast<const IPixelBuffer&>(image);
    return {PackedRows(buffer.GetScanLine(0), buffer.GetWidth(), buffer.GetHeight()), true};
}

PlainPair PlainRows(const IImage& source, const IImage& dest)
{
    const PlainImage from = PlainRows(source);
    if (!from) return {};
    const PlainImage to = PlainRows(dest);
    if (!to) return {};
    return {from.rows, to.rows, true};
}

void BlendRows(const PlainPair& rows, const BlitArea& area, double alpha, ColorKey key)
{
    if (area.IsEmpty()) return;
    const BlendTable* table =
        KeptBlendTable(alpha, static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    Transfer(rows.source, rows.dest, area, RowOp::Blend(alpha, table, key));
}

void BlitRows(const PlainPair& rows, const BlitArea& area, ColorKey key)
{
    Transfer(rows.source, rows.dest, area,
             key == COLORKEY_NONE ? RowOp::Colors() : RowOp::UnlessKey(static_cast<Pixel>(key)));
}

void CopyRows(const PlainPair& rows, const BlitArea& area) { Transfer(rows.source, rows.dest, area, RowOp::Words()); }

bool CreateToOverwrite(IImage& image, int width, int height)
{
    // For a plain image that already has pixels of this size, Create would only make storage of
    // the same shape and clear it: the pixels come out the same, the DIB section and its DC are
    // simply kept.
    if (PlainRows(image) && IsCreatableSize(width, height) && image.GetWidth() == width &&
        image.GetHeight() == height) {
        return true;
    }
    return image.Create(width, height, 0);
}

void Rows24ToRows(const PixelRows& image, const BlitArea& area, const BYTE* rows, int width, int height)
{
    Transfer(DibRows(rows, width, height, 24, true), image, area, RowOp::Bgr24ToWords());
}

void RowsToRows24(const PixelRows& image, BYTE* fileRows)
{
    // The file's first row is the image's bottom row.
    Transfer(image, DibRows(fileRows, image.width, image.height, 24, true),
             Place(image.width, image.height, 0, 0, ExtentOf(image.width, image.height)), RowOp::WordsToBgr24());
}

void DrawLineRows(const PixelRows& image, int x0, int y0, int x1, int y1, Pixel color)
{
    const Pixel value = color::ColorOf(color);
    const int width = image.width;
    const int height = image.height;
    if (y0 == y1) {
        // A row's steps are one run.
        const RowSteps row = StepsOfRow(x0, x1, width);
        if (y0 < 0 || y0 >= height || row.from > row.to) return;
        RowKernels().fill(image.Words(y0) + row.from, static_cast<std::size_t>(row.to - row.from + 1), value);
        return;
    }
    // Positions outside are dropped, as SetColor drops them.
    ForEachLineStep(x0, y0, x1, y1, width, height, [&](long long x, long long y) {
        if (x < 0 || x >= width || y < 0 || y >= height) return;
        image.Words(static_cast<int>(y))[x] = value;
    });
}

bool FillRectRows(IImage& image, int x0, int x1, int top, int bottom, Pixel color)
{
    const PlainImage plain = PlainRows(image);
    if (!plain) return false;
    // Columns [left, right) of rows [top, bottom].
    long long left = std::min(x0, x1);
    long long right = std::max(x0, x1) + 1LL;
    if (auto* dib = dynamic_cast<CDibSectionImage*>(&image)) {
        // The pen stops short of its end point; GDI clips to the DC's clip box. Whatever GDI has
        // yet to draw there is drawn before the pixels are written directly.
        if (x0 < x1) {
            right = x1;
        } else {
            left = x1 + 1LL;
        }
        ::GdiFlush();
        RECT box{};
        const int kind = ::GetClipBox(dib->GetMemoryDC(), &box);
        if (kind == NULLREGION) return true;
        if (kind != SIMPLEREGION) return false;
        left = std::max<long long>(left, box.left);
        right = std::min<long long>(right, box.right);
        top = std::max<int>(top, box.top);
        bottom = std::min<int>(bottom, box.bottom - 1);
    }
    const PixelRows& rows = plain.rows;
    left = std::max(left, 0LL);
    right = std::min<long long>(right, rows.width);
    if (left >= right || top > bottom) return true;
    const Pixel value = color::ColorOf(color);
    const auto columns = static_cast<std::size_t>(right - left);
    const RowKernelSet& kernels = RowKernels();
    if (columns == static_cast<std::size_t>(rows.width)) {
        kernels.fill(rows.Words(top), columns * static_cast<std::size_t>(bottom - top + 1), value);
        return true;
    }
    for (int y = top; y <= bottom; ++y) kernels.fill(rows.Words(y) + left, columns, value);
    return true;
}

}  // namespace zvx
