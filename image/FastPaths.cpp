#include "image/FastPaths.h"

#include <algorithm>
#include <cstddef>
#include <typeinfo>

#include "image/DibSectionImage.h"
#include "image/PixelRows.h"
#include "image/MemoryImage.h"
#include "image/RowKernels.h"
#include "image/draw/LineSteps.h"
#include "platform/Win32.h"

namespace zvx {

const IPixelBuffer* PlainRows(const IImage& image)
{
    const std::type_info& type = typeid(image);
    if (type != typeid(CMemoryImage) && type != typeid(CDibSectionImage)) return nullptr;
    return dynamic_cast<const IPixelBuffer*>(&image);
}

IPixelBuffer* PlainRows(IImage& image)
{
    return const_cast<IPixelBuffer*>(PlainRows(static_cast<const IImage&>(image)));
}

PlainPair PlainRows(const IImage& source, IImage& dest)
{
    PlainPair pair;
    pair.source = PlainRows(source);
    pair.dest = PlainRows(dest);
    if (pair.source == nullptr || pair.dest == nullptr) return PlainPair{};
    pair.sameImage = &source == &dest;
    return pair;
}

namespace {

// Calls run(from, to, count) for every row of the area: rows bottom to top when an image is
// written onto itself further down (each row is then read before a write reaches it), else top
// to bottom. Rows that lie back to back in both images (the area spans their whole width) are
// one run.
template <class Run>
void ForEachRun(const PlainPair& rows, const BlitArea& area, Run run)
{
    if (area.IsEmpty()) return;
    const auto sourceWidth = static_cast<std::ptrdiff_t>(rows.source->GetWidth());
    const auto destWidth = static_cast<std::ptrdiff_t>(rows.dest->GetWidth());
    const Pixel* from = rows.source->GetScanLine(area.srcY) + area.srcX;
    Pixel* to = rows.dest->GetScanLine(area.destY) + area.destX;
    const auto width = static_cast<std::size_t>(area.width);
    if (area.width == sourceWidth && area.width == destWidth) {
        run(from, to, width * static_cast<std::size_t>(area.height));
        return;
    }
    const bool backwards = rows.sameImage && area.destY > area.srcY;
    for (int n = 0; n < area.height; ++n) {
        const int j = backwards ? area.height - 1 - n : n;
        run(from + j * sourceWidth, to + j * destWidth, width);
    }
}

}  // namespace

void BlendRows(const PlainPair& rows, const BlitArea& area, double alpha, ColorKey key)
{
    if (area.IsEmpty()) return;
    const BlendTable* table =
        KeptBlendTable(alpha, static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    ForEachRun(rows, area, [&](const Pixel* from, Pixel* to, std::size_t count) {
        if (table != nullptr) {
            BlendColors(from, to, count, *table, key);
        } else {
            BlendColors(from, to, count, alpha, key);
        }
    });
}

void BlitRows(const PlainPair& rows, const BlitArea& area, ColorKey key)
{
    ForEachRun(rows, area, [&](const Pixel* from, Pixel* to, std::size_t count) {
        if (key == COLORKEY_NONE) {
            CopyColors(from, to, count);
        } else {
            CopyUnlessKey(from, to, count, static_cast<Pixel>(key));
        }
    });
}

void CopyRows(const PlainPair& rows, const BlitArea& area)
{
    if (rows.sameImage || area.IsEmpty()) {
        ForEachRun(rows, area, [](const Pixel* from, Pixel* to, std::size_t count) { CopyPixels(from, to, count); });
        return;
    }
    // Two images never overlap: the rows go to the copy kernel in one call.
    const auto sourceWidth = static_cast<std::ptrdiff_t>(rows.source->GetWidth());
    const auto destWidth = static_cast<std::ptrdiff_t>(rows.dest->GetWidth());
    const auto width = static_cast<std::size_t>(area.width);
    const auto height = static_cast<std::size_t>(area.height);
    const auto* from = reinterpret_cast<const std::uint8_t*>(rows.source->GetScanLine(area.srcY) + area.srcX);
    auto* to = reinterpret_cast<std::uint8_t*>(rows.dest->GetScanLine(area.destY) + area.destX);
    const std::size_t bytes = width * height * sizeof(Pixel);
    if (area.width == sourceWidth && area.width == destWidth) {
        CopyBytes(from, to, bytes, IsLargerThanCache(bytes));
        return;
    }
    CopyByteRows(from, sourceWidth * static_cast<std::ptrdiff_t>(sizeof(Pixel)), to,
                 destWidth * static_cast<std::ptrdiff_t>(sizeof(Pixel)), width * sizeof(Pixel), height,
                 IsLargerThanCache(bytes));
}

bool CreateToOverwrite(IImage& image, int width, int height)
{
    // For a plain image that already has pixels of this size, Create would only make storage of
    // the same shape and clear it: the pixels come out the same, the DIB section and its DC are
    // simply kept.
    if (PlainRows(image) != nullptr && IsCreatableSize(width, height) && image.GetWidth() == width &&
        image.GetHeight() == height) {
        return true;
    }
    return image.Create(width, height, 0);
}

void Rows24ToRows(IPixelBuffer& image, const BlitArea& area, const BYTE* rows, std::uint64_t stride, int height)
{
    const bool streaming =
        IsLargerThanCache(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height) * sizeof(Pixel));
    // The block's rows in the order they lie in memory, one long ascending run to read; the
    // image's rows then go bottom to top.
    for (int j = area.height - 1; j >= 0; --j) {
        const auto fileRow = static_cast<std::uint64_t>(height - 1 - (area.srcY + j));
        const BYTE* from =
            rows + static_cast<std::size_t>(fileRow * stride + 3u * static_cast<std::uint64_t>(area.srcX));
        Rows24ToPixels(from, image.GetScanLine(area.destY + j) + area.destX, static_cast<std::size_t>(area.width),
                       streaming);
    }
}

void RowsToRows24(const IPixelBuffer& image, int width, int height, BYTE* fileRows, std::uint64_t stride)
{
    for (int i = 0; i < height; ++i) {
        // The file's first row is the image's bottom row.
        PixelsToRows24(image.GetScanLine(height - 1 - i), fileRows + static_cast<std::size_t>(i * stride),
                       static_cast<std::size_t>(width));
    }
}

void DrawLineRows(IPixelBuffer& image, int width, int height, int x0, int y0, int x1, int y1, Pixel color)
{
    const Pixel value = color & 0x00FFFFFFu;
    if (y0 == y1) {
        // A row's steps are one run.
        const RowSteps row = StepsOfRow(x0, x1, width);
        if (y0 < 0 || y0 >= height || row.from > row.to) return;
        FillPixels(image.GetScanLine(y0) + row.from, static_cast<std::size_t>(row.to - row.from + 1), value);
        return;
    }
    // Positions outside are dropped, as SetColor drops them.
    ForEachLineStep(x0, y0, x1, y1, width, height, [&](long long x, long long y) {
        if (x < 0 || x >= width || y < 0 || y >= height) return;
        image.GetScanLine(static_cast<int>(y))[x] = value;
    });
}

bool FillRectRows(IImage& image, int x0, int x1, int top, int bottom, Pixel color)
{
    IPixelBuffer* rows = PlainRows(image);
    if (rows == nullptr) return false;
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
    const int width = image.GetWidth();
    left = std::max(left, 0LL);
    right = std::min<long long>(right, width);
    if (left >= right || top > bottom) return true;
    const Pixel value = color & 0x00FFFFFFu;
    const auto columns = static_cast<std::size_t>(right - left);
    if (columns == static_cast<std::size_t>(width)) {
        FillPixels(rows->GetScanLine(top), columns * static_cast<std::size_t>(bottom - top + 1), value);
        return true;
    }
    for (int y = top; y <= bottom; ++y) FillPixels(rows->GetScanLine(y) + left, columns, value);
    return true;
}

}  // namespace zvx
