#include "image/DibSectionImage.h"

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

CDibSectionImage::CDibSectionImage() { Create(128, 128, 0); }

CDibSectionImage::~CDibSectionImage()
{
    if (m_pixels == nullptr) return;
    // The DC gets its original bitmap back before either is deleted, so nothing is deleted
    // while still selected.
    ::SelectObject(m_memoryDC, m_previousBitmap);
    ::DeleteObject(m_section);
    ::DeleteDC(m_memoryDC);
    m_pixels = nullptr;
}

bool CDibSectionImage::Create(int width, int height, Pixel fill)
{
    if (!zvx::IsCreatableSize(width, height)) return false;
    const BITMAPINFO header = zvx::MakeTopDownHeader(width, height);

    // The new section and DC come first; the old ones go only once both exist, so a failure at
    // any step leaves the image exactly as it was.
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) ::DeleteObject(section);
        return false;
    }
    HDC screen = ::GetDC(nullptr);
    HDC memoryDC = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (memoryDC == nullptr) {
        ::DeleteObject(section);
        return false;
    }

    if (m_pixels != nullptr) {
        ::SelectObject(m_memoryDC, m_previousBitmap);
        ::DeleteObject(m_section);
        ::DeleteDC(m_memoryDC);
        m_pixels = nullptr;
    }
    m_header = header;
    m_pixels = static_cast<Pixel*>(bits);
    m_section = section;
    m_memoryDC = memoryDC;
    m_previousBitmap = ::SelectObject(memoryDC, section);
    m_width = width;
    m_height = height;
    if (fill == 0) {
        std::memset(m_pixels, 0,
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                        sizeof(Pixel));
    } else {
        zvx::FillBySetPixel(*this, width, height, fill);
    }
    return true;
}

HBITMAP CDibSectionImage::GetBitmap() { return m_section; }
HDC CDibSectionImage::GetDC() { return m_memoryDC; }
HDC CDibSectionImage::GetMemoryDC() { return m_memoryDC; }

bool CDibSectionImage::CreateFromBitmap(HBITMAP bitmap)
{
    return zvx::CreateFromBitmap(*this, bitmap, GetMemoryDC());
}

bool CDibSectionImage::CopyFrom(const IImage* src) { return zvx::CopyFrom(*this, src, true); }

bool CDibSectionImage::CopyFrom(const IPixelBuffer* src)
{
    return zvx::CopyFrom(static_cast<IPixelBuffer&>(*this), src, true);
}

bool CDibSectionImage::DrawTiled(HDC hdc, int x, int y, int width, int height)
{
    return zvx::DrawTiledTrimmed(*this, hdc, x, y, width, height);
}

bool CDibSectionImage::DrawLine(int x0, int y0, int x1, int y1, Pixel color)
{
    return zvx::DrawLineWithPen(GetMemoryDC(), x0, y0, x1, y1, color);
}

#define ZVX_IMAGE_CLASS CDibSectionImage
#include "image/ImageOperations.inl"
#undef ZVX_IMAGE_CLASS
