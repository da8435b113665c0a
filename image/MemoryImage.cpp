#include "image/MemoryImage.h"

#include <cstdlib>
#include <cstring>

#include "image/ImageSize.h"
#include "image/PixelAccess.h"
#include "image/compose/Blend.h"
#include "image/compose/Blit.h"
#include "image/compose/Copy.h"
#include "image/compose/SubImage.h"
#include "image/draw/DrawTiled.h"
#include "image/draw/DrawToDevice.h"
#include "image/draw/Line.h"
#include "image/draw/Rect.h"
#include "image/draw/Tile.h"
#include "image/exchange/BitmapImport.h"
#include "image/exchange/BmpFile.h"
#include "image/exchange/Rows24.h"

CMemoryImage::CMemoryImage(int width, int height) { Create(width, height, 0); }

CMemoryImage::~CMemoryImage() { std::free(m_pixels); }

bool CMemoryImage::Create(int width, int height, Pixel fill)
{
    if (!zvx::IsCreatableSize(width, height)) return false;
    // The new block comes first: a failed allocation must leave the image as it was.
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Pixel);
    auto* block = static_cast<Pixel*>(std::malloc(bytes));
    if (block == nullptr) return false;

    m_header = zvx::MakeTopDownHeader(width, height);
    std::free(m_pixels);
    m_pixels = block;
    m_width = width;
    m_height = height;
    if (fill == 0) {
        std::memset(m_pixels, 0, bytes);
    } else {
        zvx::FillBySetPixel(*this, width, height, fill);
    }
    return true;
}

bool CMemoryImage::CreateFromBitmap(HBITMAP bitmap)
{
    return zvx::CreateFromBitmap(*this, bitmap, nullptr);
}

bool CMemoryImage::CopyFrom(const IImage* src) { return zvx::CopyFrom(*this, src, false); }

bool CMemoryImage::CopyFrom(const IPixelBuffer* src)
{
    return zvx::CopyFrom(static_cast<IPixelBuffer&>(*this), src, false);
}

bool CMemoryImage::DrawTiled(HDC hdc, int x, int y, int width, int height)
{
    return zvx::DrawTiledClipped(*this, hdc, x, y, width, height);
}

bool CMemoryImage::DrawLine(int x0, int y0, int x1, int y1, Pixel color)
{
    return zvx::DrawLineSoftware(*this, x0, y0, x1, y1, color);
}

#define ZVX_IMAGE_CLASS CMemoryImage
#include "image/ImageOperations.inl"
#undef ZVX_IMAGE_CLASS
