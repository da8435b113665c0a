// A client of the installed library, built as users build it (only the install's include/ on the
// path, beside decoy/, whose headers must never be reached). It checks what a shared build can get
// wrong: virtual tables and RTTI across the library's boundary, fast paths chosen by the dynamic
// type of the client's images, and a program's own names left alone (with ZVX_NO_GLOBAL_NAMES its
// Pixel and ColorKey, without Windows its Win32-like names and macros). Exits non-zero, saying why.
#define ZVX_NO_GLOBAL_NAMES
#include <cstdio>
#include <typeinfo>

struct Pixel {
    int x, y;
};
enum ColorKey { CK_RED, CK_NONE };
#ifndef _WIN32
typedef const char* COLORREF;
#define BYTE unsigned char
#endif

#include <zorvexa/image/DibSectionImage.h>
#include <zorvexa/image/IImage.h>
#include <zorvexa/image/MemoryImage.h>

#ifndef _WIN32
// The program's own names (on Windows <windows.h> owns them): each would clash with a macro,
// type or function the library declared or exported.
enum class Level { INFO, WARNING, ERROR };
struct POINT {
    Level x, y;
};
struct RECT {
    POINT from, to;
};
typedef long DWORD;
typedef double LONG;
typedef char WORD;
struct HANDLE;
#define TRUE 2
#define FALSE (-2)
int lineToCalls = 0;
bool LineTo(zvx::HDC, int, int) { return ++lineToCalls > 0; }
extern "C" int MessageBoxA(const char* text) { return text[0]; }
#endif

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    failures += ok ? 0 : 1;
    if (!ok) std::fprintf(stderr, "consumer: %s\n", what);
}

// A client's subclass: the library must send every pixel through its override.
class CountingImage : public CMemoryImage {
public:
    CountingImage() : CMemoryImage(4, 4) {}
    bool SetPixel(int x, int y, zvx::Pixel v) override { return ++calls > 0 && CMemoryImage::SetPixel(x, y, v); }
    int calls = 0;
};

}  // namespace

int main()
{
    CMemoryImage source(3, 2);
    Check(source.Create(5, 4, 0x00102030) && source.SetColor(4, 3, 0xFFABCDEF) && !source.SetColor(5, 0, 0) &&
              source.GetColor(4, 3) == 0x00ABCDEF,
          "Create, SetColor or GetColor");

    // An image the library made, seen through the client's RTTI.
    IImage* sub = source.CreateSubImage(3, 2, 2, 2);
    Check(sub != nullptr && typeid(*sub) == typeid(CMemoryImage) && dynamic_cast<IPixelBuffer*>(sub) != nullptr &&
              sub->GetColor(1, 1) == 0x00ABCDEF,
          "the sub-image is not a CMemoryImage of the part's pixels");
    delete sub;

    // Source pixels (3..4, 2..3) land on (0..1, 0..1), each through the subclass's SetPixel.
    CountingImage counting;
    Check(source.BltTo(static_cast<IImage*>(&counting), -3, -2) && counting.calls == 4 &&
              counting.GetColor(1, 1) == 0x00ABCDEF && counting.GetColor(0, 0) == 0x00102030,
          "BltTo onto a subclass went past its SetPixel or gave the wrong pixels");

    // Through GDI: onto a DIB section's own DC.
    CDibSectionImage dib;
    Check(dynamic_cast<IGdiImage*>(static_cast<IImage*>(&dib)) == &dib, "a CDibSectionImage is not an IGdiImage");
    Check(source.Draw(dib.GetDC(), 10, 20) && dib.GetColor(14, 23) == 0x00ABCDEF && dib.GetColor(10, 20) == 0x00102030,
          "Draw did not reach the DIB section");
    // The library's functions outside the classes, and a member outside any virtual table.
    Check(zvx::DiagnoseBmp("none.bmp").verdict == zvx::BmpVerdict::CannotOpen &&
              *zvx::Describe(zvx::BmpVerdict::Ok) != '\0' && !source.LoadFromMemory("BM", 2, zvx::IMAGE_FORMAT_BMPFILE),
          "DiagnoseBmp, Describe or the sized LoadFromMemory");
#ifndef _WIN32
    // The library draws lines with its own LineTo, never the program's.
    Check(dib.DrawLine(0, 0, 3, 0, 0x123456) && dib.GetColor(1, 0) == 0x123456 && lineToCalls == 0 &&
              LineTo(dib.GetDC(), TRUE, FALSE) && MessageBoxA("A") == 'A' && Level::ERROR != Level::INFO,
          "DrawLine called the program's LineTo");
#endif
    // The program's own names beside the library's.
    const Pixel own{1, 2};
    const ColorKey key = CK_NONE;
    Check(own.y == 2 && key == CK_NONE && source.GetColorKey() == zvx::COLORKEY_NONE &&
              source.GetColorRef(4, 3) == 0xEFCDAB,
          "the program's own Pixel or ColorKey");
#ifndef _WIN32
    const COLORREF said = "own";
    const BYTE red = source.GetRed(4, 3);
    Check(said[0] == 'o' && red == 0xAB, "the program's own COLORREF or BYTE");
#endif

    if (failures == 0) std::puts("consumer: ok");
    return failures == 0 ? 0 : 1;
}
