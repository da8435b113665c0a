// CDibSectionImage: its storage (a DIB section in its own memory DC) and its primitives here;
// every other operation is the shared implementation both concrete images forward to, named
// beside it.
#include "image/DibSectionImage.h"

#include <cstring>

#include "image/ImageStorage.h"
#include "image/Operations.h"
#include "platform/Win32.h"

namespace {

// A memory DC compatible with the screen, or null.
HDC NewMemoryDC()
{
    HDC screen = ::GetDC(nullptr);
    HDC memoryDC = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    return memoryDC;
}

}  // namespace

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
    HDC memoryDC = NewMemoryDC();
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
    m_previousBitmap = static_cast<HBITMAP>(::SelectObject(memoryDC, section));
    m_width = width;
    m_height = height;
    if (fill == 0) {
        std::memset(m_pixels, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Pixel));
    } else {
        zvx::FillBySetPixel(*this, width, height, fill);
    }
    return true;
}

bool zvx::RenewMemoryDC(CDibSectionImage& image)
{
    HDC memoryDC = NewMemoryDC();
    if (memoryDC == nullptr) return false;
    // The section leaves the old DC (a bitmap is selected into one DC at a time) before it is
    // selected into the new one, which has none of the state a caller left in the old.
    ::SelectObject(image.m_memoryDC, image.m_previousBitmap);
    ::DeleteDC(image.m_memoryDC);
    image.m_memoryDC = memoryDC;
    image.m_previousBitmap = static_cast<HBITMAP>(::SelectObject(memoryDC, image.m_section));
    return true;
}

// Primitives: the only code that touches the fields.
int CDibSectionImage::GetWidth() const { return m_width; }
int CDibSectionImage::GetHeight() const { return m_height; }
Pixel CDibSectionImage::GetPixel(int x, int y) const { return zvx::PixelAt(m_pixels, m_width, m_height, x, y); }
bool CDibSectionImage::SetPixel(int x, int y, Pixel v) { return zvx::StorePixel(m_pixels, m_width, m_height, x, y, v); }
ColorKey CDibSectionImage::GetColorKey() const { return m_colorKey; }
bool CDibSectionImage::SetColorKey(ColorKey key)
{
    m_colorKey = key;
    return true;
}
BITMAPINFO* CDibSectionImage::GetBitmapInfo() { return &m_header; }
const Pixel* CDibSectionImage::GetScanLine(int y) const { return zvx::RowAt(m_pixels, m_width, m_height, y); }
Pixel* CDibSectionImage::GetScanLine(int y) { return zvx::RowAt(m_pixels, m_width, m_height, y); }

HBITMAP CDibSectionImage::GetBitmap() { return m_section; }
HDC CDibSectionImage::GetDC() { return m_memoryDC; }
HDC CDibSectionImage::GetMemoryDC() { return m_memoryDC; }

// Where the two classes differ.
bool CDibSectionImage::CreateFromBitmap(HBITMAP bitmap) { return zvx::CreateFromBitmap(*this, bitmap, GetMemoryDC()); }
bool CDibSectionImage::CopyFrom(const IImage* src) { return zvx::CopyFrom(*this, src, true); }
bool CDibSectionImage::CopyFrom(const IPixelBuffer* src)
{
    return zvx::CopyFrom(static_cast<IPixelBuffer&>(*this), src, true);
}
bool CDibSectionImage::DrawTiled(HDC hdc, int x, int y, int w, int h)
{
    return zvx::DrawTiledTrimmed(*this, hdc, x, y, w, h);
}
bool CDibSectionImage::DrawLine(int x0, int y0, int x1, int y1, Pixel c)
{
    return zvx::DrawLineWithPen(GetMemoryDC(), x0, y0, x1, y1, c);
}

// Shared with CMemoryImage.
bool CDibSectionImage::LoadFromMemory(const void* data, int format) { return zvx::LoadFromMemory(*this, data, format); }
bool CDibSectionImage::LoadBmp(const char* fileName) { return zvx::LoadBmp(*this, fileName); }
bool CDibSectionImage::SaveBmp(const char* fileName) { return zvx::SaveBmp(*this, fileName); }
Pixel CDibSectionImage::GetColor(int x, int y) const { return zvx::GetColor(*this, x, y); }
COLORREF CDibSectionImage::GetColorRef(int x, int y) const { return zvx::GetColorRef(*this, x, y); }
BYTE CDibSectionImage::GetRed(int x, int y) const { return zvx::GetRed(*this, x, y); }
BYTE CDibSectionImage::GetGreen(int x, int y) const { return zvx::GetGreen(*this, x, y); }
BYTE CDibSectionImage::GetBlue(int x, int y) const { return zvx::GetBlue(*this, x, y); }
bool CDibSectionImage::SetRows24(int x, int y, int w, int h, const BYTE* rows)
{
    return zvx::SetRows24(*this, x, y, w, h, rows);
}
bool CDibSectionImage::SetColor(int x, int y, Pixel c) { return zvx::SetColor(*this, x, y, c); }
bool CDibSectionImage::SetRed(int x, int y, int v) { return zvx::SetRed(*this, x, y, v); }
bool CDibSectionImage::SetGreen(int x, int y, int v) { return zvx::SetGreen(*this, x, y, v); }
bool CDibSectionImage::SetBlue(int x, int y, int v) { return zvx::SetBlue(*this, x, y, v); }
bool CDibSectionImage::AddRed(int x, int y, int d) { return zvx::AddRed(*this, x, y, d); }
bool CDibSectionImage::AddGreen(int x, int y, int d) { return zvx::AddGreen(*this, x, y, d); }
bool CDibSectionImage::AddBlue(int x, int y, int d) { return zvx::AddBlue(*this, x, y, d); }
bool CDibSectionImage::ScaleRed(int x, int y, double f) { return zvx::ScaleRed(*this, x, y, f); }
bool CDibSectionImage::ScaleGreen(int x, int y, double f) { return zvx::ScaleGreen(*this, x, y, f); }
bool CDibSectionImage::ScaleBlue(int x, int y, double f) { return zvx::ScaleBlue(*this, x, y, f); }
bool CDibSectionImage::BltTo(IImage* dest, int x, int y, int w, int h)
{
    return zvx::BltToImage(*this, dest, x, y, w, h);
}
bool CDibSectionImage::Draw(HDC hdc, int x, int y, int w, int h) { return zvx::Draw(*this, hdc, x, y, w, h); }
bool CDibSectionImage::BltTo(IDibImage* dest, int x, int y) { return zvx::BltToDib(*this, dest, x, y); }
bool CDibSectionImage::BltTo(IGdiImage* dest, int x, int y) { return zvx::BltToGdi(*this, dest, x, y); }
bool CDibSectionImage::BltTo(IPixelBuffer* dest, int x, int y) { return zvx::BltToPixels(*this, dest, x, y); }
bool CDibSectionImage::BltTo(IImage* dest, int x, int y) { return zvx::BltToImage(*this, dest, x, y); }
bool CDibSectionImage::Draw(HDC hdc, int x, int y) { return zvx::Draw(*this, hdc, x, y); }
bool CDibSectionImage::TileTo(IImage* dest, int x, int y, int w, int h) { return zvx::TileTo(*this, dest, x, y, w, h); }
bool CDibSectionImage::DrawBlend(HDC hdc, int x, int y, double alpha)
{
    return zvx::DrawBlend(*this, hdc, x, y, alpha);
}
bool CDibSectionImage::BlendTo(IImage* dest, int x, int y, double alpha)
{
    return zvx::BlendTo(*this, dest, x, y, alpha);
}
bool CDibSectionImage::DrawRect(int x0, int y0, int x1, int y1, Pixel c)
{
    return zvx::DrawRect(*this, x0, y0, x1, y1, c);
}
bool CDibSectionImage::FillRect(int x0, int y0, int x1, int y1, Pixel c)
{
    return zvx::FillRect(*this, x0, y0, x1, y1, c);
}
IImage* CDibSectionImage::CreateSubImage(int x, int y, int w, int h) { return zvx::CreateSubImage(*this, x, y, w, h); }
bool CDibSectionImage::ImportRows24(const BYTE* rows, int format) { return zvx::ImportRows24(*this, rows, format); }
bool CDibSectionImage::IsKeyColor(int x, int y) const { return zvx::IsKeyColor(*this, x, y); }
bool CDibSectionImage::ImportRows24(const BYTE* rows, std::size_t size, int format)
{
    return zvx::ImportRows24(*this, rows, size, format);
}
