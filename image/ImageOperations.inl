// The IImage operations that both concrete images implement with the same shared code. Each
// class's .cpp defines ZVX_IMAGE_CLASS and includes this file once, so the forwarding lives in
// one place and the two classes cannot drift apart. The operations where the classes differ
// (storage, CopyFrom's self-copy answer, CreateFromBitmap, DrawTiled, DrawLine) stay in the
// class files.
#ifndef ZVX_IMAGE_CLASS
#error "define ZVX_IMAGE_CLASS before including ImageOperations.inl"
#endif

bool ZVX_IMAGE_CLASS::LoadFromMemory(const void* data, int format)
{
    return zvx::LoadFromMemory(*this, data, format);
}

bool ZVX_IMAGE_CLASS::LoadBmp(const char* fileName) { return zvx::LoadBmp(*this, fileName); }
bool ZVX_IMAGE_CLASS::SaveBmp(const char* fileName) { return zvx::SaveBmp(*this, fileName); }

Pixel ZVX_IMAGE_CLASS::GetColor(int x, int y) const { return zvx::GetColor(*this, x, y); }
COLORREF ZVX_IMAGE_CLASS::GetColorRef(int x, int y) const { return zvx::GetColorRef(*this, x, y); }
BYTE ZVX_IMAGE_CLASS::GetRed(int x, int y) const { return zvx::GetRed(*this, x, y); }
BYTE ZVX_IMAGE_CLASS::GetGreen(int x, int y) const { return zvx::GetGreen(*this, x, y); }
BYTE ZVX_IMAGE_CLASS::GetBlue(int x, int y) const { return zvx::GetBlue(*this, x, y); }

bool ZVX_IMAGE_CLASS::SetRows24(int x, int y, int width, int height, const BYTE* rows)
{
    return zvx::SetRows24(*this, x, y, width, height, rows);
}

bool ZVX_IMAGE_CLASS::SetColor(int x, int y, Pixel c) { return zvx::SetColor(*this, x, y, c); }
bool ZVX_IMAGE_CLASS::SetRed(int x, int y, int v) { return zvx::SetRed(*this, x, y, v); }
bool ZVX_IMAGE_CLASS::SetGreen(int x, int y, int v) { return zvx::SetGreen(*this, x, y, v); }
bool ZVX_IMAGE_CLASS::SetBlue(int x, int y, int v) { return zvx::SetBlue(*this, x, y, v); }
bool ZVX_IMAGE_CLASS::AddRed(int x, int y, int d) { return zvx::AddRed(*this, x, y, d); }
bool ZVX_IMAGE_CLASS::AddGreen(int x, int y, int d) { return zvx::AddGreen(*this, x, y, d); }
bool ZVX_IMAGE_CLASS::AddBlue(int x, int y, int d) { return zvx::AddBlue(*this, x, y, d); }
bool ZVX_IMAGE_CLASS::ScaleRed(int x, int y, double f) { return zvx::ScaleRed(*this, x, y, f); }
bool ZVX_IMAGE_CLASS::ScaleGreen(int x, int y, double f) { return zvx::ScaleGreen(*this, x, y, f); }
bool ZVX_IMAGE_CLASS::ScaleBlue(int x, int y, double f) { return zvx::ScaleBlue(*this, x, y, f); }

ColorKey ZVX_IMAGE_CLASS::GetColorKey() const { return m_colorKey; }

bool ZVX_IMAGE_CLASS::SetColorKey(ColorKey key)
{
    m_colorKey = key;
    return true;
}

bool ZVX_IMAGE_CLASS::IsKeyColor(int x, int y) const { return zvx::IsKeyColor(*this, x, y); }

bool ZVX_IMAGE_CLASS::BltTo(IImage* dest, int x, int y, int width, int height)
{
    return zvx::BltToImage(*this, dest, x, y, width, height);
}

bool ZVX_IMAGE_CLASS::Draw(HDC hdc, int x, int y, int width, int height)
{
    return zvx::Draw(*this, hdc, x, y, width, height);
}

bool ZVX_IMAGE_CLASS::BltTo(IDibImage* dest, int x, int y) { return zvx::BltToDib(*this, dest, x, y); }
bool ZVX_IMAGE_CLASS::BltTo(IGdiImage* dest, int x, int y) { return zvx::BltToGdi(*this, dest, x, y); }

bool ZVX_IMAGE_CLASS::BltTo(IPixelBuffer* dest, int x, int y)
{
    return zvx::BltToPixels(*this, dest, x, y);
}

bool ZVX_IMAGE_CLASS::BltTo(IImage* dest, int x, int y) { return zvx::BltToImage(*this, dest, x, y); }
bool ZVX_IMAGE_CLASS::Draw(HDC hdc, int x, int y) { return zvx::Draw(*this, hdc, x, y); }

bool ZVX_IMAGE_CLASS::TileTo(IImage* dest, int x, int y, int width, int height)
{
    return zvx::TileTo(*this, dest, x, y, width, height);
}

bool ZVX_IMAGE_CLASS::DrawBlend(HDC hdc, int x, int y, double alpha)
{
    return zvx::DrawBlend(*this, hdc, x, y, alpha);
}

bool ZVX_IMAGE_CLASS::BlendTo(IImage* dest, int x, int y, double alpha)
{
    return zvx::BlendTo(*this, dest, x, y, alpha);
}

bool ZVX_IMAGE_CLASS::DrawRect(int x0, int y0, int x1, int y1, Pixel color)
{
    return zvx::DrawRect(*this, x0, y0, x1, y1, color);
}

bool ZVX_IMAGE_CLASS::FillRect(int x0, int y0, int x1, int y1, Pixel color)
{
    return zvx::FillRect(*this, x0, y0, x1, y1, color);
}

IImage* ZVX_IMAGE_CLASS::CreateSubImage(int x, int y, int width, int height)
{
    return zvx::CreateSubImage(*this, x, y, width, height);
}

bool ZVX_IMAGE_CLASS::ImportRows24(const BYTE* rows, int format)
{
    return zvx::ImportRows24(*this, rows, format);
}

bool ZVX_IMAGE_CLASS::ImportRows24(const BYTE* rows, std::size_t size, int format)
{
    return zvx::ImportRows24(*this, rows, size, format);
}

int ZVX_IMAGE_CLASS::GetWidth() const { return m_width; }
int ZVX_IMAGE_CLASS::GetHeight() const { return m_height; }

Pixel ZVX_IMAGE_CLASS::GetPixel(int x, int y) const
{
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) return 0;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

bool ZVX_IMAGE_CLASS::SetPixel(int x, int y, Pixel v)
{
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) return false;
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
             static_cast<std::size_t>(x)] = v;
    return true;
}

BITMAPINFO* ZVX_IMAGE_CLASS::GetBitmapInfo() { return &m_header; }

const Pixel* ZVX_IMAGE_CLASS::GetScanLine(int y) const
{
    if (y < 0 || y >= m_height) return nullptr;
    return m_pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
}

Pixel* ZVX_IMAGE_CLASS::GetScanLine(int y)
{
    if (y < 0 || y >= m_height) return nullptr;
    return m_pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
}
