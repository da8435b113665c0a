// CMemoryImage: its storage (a heap block) and its primitives here; every other operation is the
// shared implementation both concrete images forward to, named beside it.
#include "image/MemoryImage.h"

#include <cstdlib>
#include <cstring>

#include "image/ImageStorage.h"
#include "image/Operations.h"

CMemoryImage::CMemoryImage(int width, int height) { Create(width, height, 0); }

CMemoryImage::~CMemoryImage() { std::free(m_pixels); }

bool CMemoryImage::Create(int width, int height, Pixel fill)
{
    if (!zvx::IsCreatableSize(width, height)) return false;
    // The new block comes first: a failed allocation must leave the image as it was.
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Pixel);
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

// Primitives: the only code that touches the fields.
int CMemoryImage::GetWidth() const { return m_width; }
int CMemoryImage::GetHeight() const { return m_height; }
Pixel CMemoryImage::GetPixel(int x, int y) const { return zvx::PixelAt(m_pixels, m_width, m_height, x, y); }
bool CMemoryImage::SetPixel(int x, int y, Pixel v) { return zvx::StorePixel(m_pixels, m_width, m_height, x, y, v); }
ColorKey CMemoryImage::GetColorKey() const { return m_colorKey; }
bool CMemoryImage::SetColorKey(ColorKey key)
{
    m_colorKey = key;
    return true;
}
BITMAPINFO* CMemoryImage::GetBitmapInfo() { return &m_header; }
const Pixel* CMemoryImage::GetScanLine(int y) const { return zvx::RowAt(m_pixels, m_width, m_height, y); }
Pixel* CMemoryImage::GetScanLine(int y) { return zvx::RowAt(m_pixels, m_width, m_height, y); }

// Where the two classes differ.
bool CMemoryImage::CreateFromBitmap(HBITMAP bitmap) { return zvx::CreateFromBitmap(*this, bitmap, nullptr); }
bool CMemoryImage::CopyFrom(const IImage* src) { return zvx::CopyFrom(*this, src, false); }
bool CMemoryImage::CopyFrom(const IPixelBuffer* src)
{
    return zvx::CopyFrom(static_cast<IPixelBuffer&>(*this), src, false);
}
bool CMemoryImage::DrawTiled(HDC hdc, int x, int y, int w, int h)
{
    return zvx::DrawTiledClipped(*this, hdc, x, y, w, h);
}
bool CMemoryImage::DrawLine(int x0, int y0, int x1, int y1, Pixel c)
{
    return zvx::DrawLineSoftware(*this, x0, y0, x1, y1, c);
}

// Shared with CDibSectionImage.
bool CMemoryImage::LoadFromMemory(const void* data, int format) { return zvx::LoadFromMemory(*this, data, format); }
bool CMemoryImage::LoadBmp(const char* fileName) { return zvx::LoadBmp(*this, fileName); }
bool CMemoryImage::SaveBmp(const char* fileName) { return zvx::SaveBmp(*this, fileName); }
Pixel CMemoryImage::GetColor(int x, int y) const { return zvx::GetColor(*this, x, y); }
COLORREF CMemoryImage::GetColorRef(int x, int y) const { return zvx::GetColorRef(*this, x, y); }
BYTE CMemoryImage::GetRed(int x, int y) const { return zvx::GetRed(*this, x, y); }
BYTE CMemoryImage::GetGreen(int x, int y) const { return zvx::GetGreen(*this, x, y); }
BYTE CMemoryImage::GetBlue(int x, int y) const { return zvx::GetBlue(*this, x, y); }
bool CMemoryImage::SetRows24(int x, int y, int w, int h, const BYTE* rows)
{
    return zvx::SetRows24(*this, x, y, w, h, rows);
}
bool CMemoryImage::SetColor(int x, int y, Pixel c) { return zvx::SetColor(*this, x, y, c); }
bool CMemoryImage::SetRed(int x, int y, int v) { return zvx::SetRed(*this, x, y, v); }
bool CMemoryImage::SetGreen(int x, int y, int v) { return zvx::SetGreen(*this, x, y, v); }
bool CMemoryImage::SetBlue(int x, int y, int v) { return zvx::SetBlue(*this, x, y, v); }
bool CMemoryImage::AddRed(int x, int y, int d) { return zvx::AddRed(*this, x, y, d); }
bool CMemoryImage::AddGreen(int x, int y, int d) { return zvx::AddGreen(*this, x, y, d); }
bool CMemoryImage::AddBlue(int x, int y, int d) { return zvx::AddBlue(*this, x, y, d); }
bool CMemoryImage::ScaleRed(int x, int y, double f) { return zvx::ScaleRed(*this, x, y, f); }
bool CMemoryImage::ScaleGreen(int x, int y, double f) { return zvx::ScaleGreen(*this, x, y, f); }
bool CMemoryImage::ScaleBlue(int x, int y, double f) { return zvx::ScaleBlue(*this, x, y, f); }
bool CMemoryImage::BltTo(IImage* dest, int x, int y, int w, int h) { return zvx::BltToImage(*this, dest, x, y, w, h); }
bool CMemoryImage::Draw(HDC hdc, int x, int y, int w, int h) { return zvx::Draw(*this, hdc, x, y, w, h); }
bool CMemoryImage::BltTo(IDibImage* dest, int x, int y) { return zvx::BltToDib(*this, dest, x, y); }
bool CMemoryImage::BltTo(IGdiImage* dest, int x, int y) { return zvx::BltToGdi(*this, dest, x, y); }
bool CMemoryImage::BltTo(IPixelBuffer* dest, int x, int y) { return zvx::BltToPixels(*this, dest, x, y); }
bool CMemoryImage::BltTo(IImage* dest, int x, int y) { return zvx::BltToImage(*this, dest, x, y); }
bool CMemoryImage::Draw(HDC hdc, int x, int y) { return zvx::Draw(*this, hdc, x, y); }
bool CMemoryImage::TileTo(IImage* dest, int x, int y, int w, int h) { return zvx::TileTo(*this, dest, x, y, w, h); }
bool CMemoryImage::DrawBlend(HDC hdc, int x, int y, double alpha) { return zvx::DrawBlend(*this, hdc, x, y, alpha); }
bool CMemoryImage::BlendTo(IImage* dest, int x, int y, double alpha) { return zvx::BlendTo(*this, dest, x, y, alpha); }
bool CMemoryImage::DrawRect(int x0, int y0, int x1, int y1, Pixel c) { return zvx::DrawRect(*this, x0, y0, x1, y1, c); }
bool CMemoryImage::FillRect(int x0, int y0, int x1, int y1, Pixel c) { return zvx::FillRect(*this, x0, y0, x1, y1, c); }
IImage* CMemoryImage::CreateSubImage(int x, int y, int w, int h) { return zvx::CreateSubImage(*this, x, y, w, h); }
bool CMemoryImage::ImportRows24(const BYTE* rows, int format) { return zvx::ImportRows24(*this, rows, format); }
bool CMemoryImage::IsKeyColor(int x, int y) const { return zvx::IsKeyColor(*this, x, y); }
bool CMemoryImage::ImportRows24(const BYTE* rows, std::size_t size, int format)
{
    return zvx::ImportRows24(*this, rows, size, format);
}
