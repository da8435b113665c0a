// What a derived class sees: the virtual calls each general path makes on its images, in order and
// with their arguments. Only the calls an operation makes itself are logged, not those its callees
// make (those are their own rows), so a row reads as the guide's table does.
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>

#include "support/BmpFiles.h"
#include "support/TestData.h"

namespace {

using namespace zvx::test;

std::string g_log;
int g_depth = 0;  // 1 inside the operation a row calls: what it calls is logged

struct Tagged {
    char tag = 's';
    virtual ~Tagged() = default;
};
// An argument as logged: I:d for an IImage* to the image tagged d (P, G, D for the other
// interfaces), p for any other pointer, unsigned values in hex.
template <class V>
std::string Arg(const V& v)
{
    std::ostringstream out;
    if constexpr (std::is_convertible_v<V, const IImage*>) {
        const auto* tagged = dynamic_cast<const Tagged*>(static_cast<const IImage*>(v));
        const int kind = std::is_convertible_v<V, const IPixelBuffer*> + 2 * std::is_convertible_v<V, const IGdiImage*>;
        out << "IPGD"[kind] << ':' << (tagged ? tagged->tag : '?');
    } else if constexpr (std::is_pointer_v<V>) {
        out << (v ? "p" : "0");
    } else {
        out << std::showbase << (std::is_unsigned_v<V> ? std::hex : std::dec) << v;
    }
    return out.str();
}
template <class... A>
std::string Args(const A&... args)
{
    std::string list;
    ((list += "," + Arg(args)), ...);
    return list.substr(list.empty() ? 0 : 1);
}

template <class T>
class Recorder : public T, public Tagged {
public:
    using IImage::LoadFromMemory;
    using T::T;
    struct Depth {  // the calls made at depth 1 are logged
        Depth() { ++g_depth; }
        ~Depth() { --g_depth; }
    };
    Depth Enter(const char* name, const std::string& args) const
    {
        if (g_depth == 1) g_log += " " + (tag == 's' ? "" : std::string(1, tag) + ".") + name + "(" + args + ")";
        return {};
    }
// One override: log name(args), call the base; and two or three of one signature.
#define ZVX_LOG(R, F, CV, P, ...) \
    R F P CV override { return Enter(#F, Args(__VA_ARGS__)), T::F(__VA_ARGS__); }
#define ZVX_LOG2(R, F, G, CV, P, ...) ZVX_LOG(R, F, CV, P, __VA_ARGS__) ZVX_LOG(R, G, CV, P, __VA_ARGS__)
#define ZVX_LOG3(R, F, G, H, CV, P, ...) ZVX_LOG2(R, F, G, CV, P, __VA_ARGS__) ZVX_LOG(R, H, CV, P, __VA_ARGS__)
#define ZVX_LOG_RGB(R, F, CV, P, ...) ZVX_LOG3(R, F##Red, F##Green, F##Blue, CV, P, __VA_ARGS__)
    ZVX_LOG(bool, CreateFromBitmap, , (HBITMAP b), b);
    ZVX_LOG(bool, LoadFromMemory, , (const void* d, int f), d, f);
    ZVX_LOG(bool, CopyFrom, , (const IImage* s), s);
    ZVX_LOG(bool, CopyFrom, , (const IPixelBuffer* s), s);
    ZVX_LOG(bool, Create, , (int w, int h, Pixel f), w, h, f);
    ZVX_LOG2(bool, LoadBmp, SaveBmp, , (const char* n), n);
    ZVX_LOG2(int, GetWidth, GetHeight, const, (), );
    ZVX_LOG2(Pixel, GetColor, GetPixel, const, (int x, int y), x, y);
    ZVX_LOG(COLORREF, GetColorRef, const, (int x, int y), x, y);
    ZVX_LOG(bool, IsKeyColor, const, (int x, int y), x, y);
    ZVX_LOG_RGB(BYTE, Get, const, (int x, int y), x, y);
    ZVX_LOG_RGB(bool, Set, , (int x, int y, int v), x, y, v);
    ZVX_LOG_RGB(bool, Add, , (int x, int y, int d), x, y, d);
    ZVX_LOG_RGB(bool, Scale, , (int x, int y, double f), x, y, f);
    ZVX_LOG(bool, SetRows24, , (int x, int y, int w, int h, const BYTE* r), x, y, w, h, r);
    ZVX_LOG2(bool, SetColor, SetPixel, , (int x, int y, Pixel v), x, y, v);
    ZVX_LOG(ColorKey, GetColorKey, const, (), );
    ZVX_LOG(bool, SetColorKey, , (ColorKey k), k);
    ZVX_LOG2(bool, BltTo, TileTo, , (IImage * d, int x, int y, int w, int h), d, x, y, w, h);
    ZVX_LOG(bool, BltTo, , (IDibImage * d, int x, int y), d, x, y);
    ZVX_LOG(bool, BltTo, , (IGdiImage * d, int x, int y), d, x, y);
    ZVX_LOG(bool, BltTo, , (IPixelBuffer * d, int x, int y), d, x, y);
    ZVX_LOG(bool, BltTo, , (IImage * d, int x, int y), d, x, y);
    ZVX_LOG2(bool, Draw, DrawTiled, , (HDC dc, int x, int y, int w, int h), dc, x, y, w, h);
    ZVX_LOG(bool, Draw, , (HDC dc, int x, int y), dc, x, y);
    ZVX_LOG(bool, DrawBlend, , (HDC dc, int x, int y, double a), dc, x, y, a);
    ZVX_LOG(bool, BlendTo, , (IImage * d, int x, int y, double a), d, x, y, a);
    ZVX_LOG3(bool, DrawLine, DrawRect, FillRect, , (int x0, int y0, int x1, int y1, Pixel c), x0, y0, x1, y1, c);
    ZVX_LOG(IImage*, CreateSubImage, , (int x, int y, int w, int h), x, y, w, h);
    ZVX_LOG(BITMAPINFO*, GetBitmapInfo, , (), );
    ZVX_LOG(Pixel*, GetScanLine, , (int y), y);
    ZVX_LOG(bool, ImportRows24, , (const BYTE* r, int f), r, f);
    const Pixel* GetScanLine(int y) const override { return Enter("GetScanLineConst", Args(y)), T::GetScanLine(y); }
};
// CDibSectionImage's own: GetBitmap, GetDC and GetMemoryDC.
class DibRecorder : public Recorder<CDibSectionImage> {
    using T = CDibSectionImage;

public:
    ZVX_LOG(HBITMAP, GetBitmap, , (), );
    ZVX_LOG2(HDC, GetDC, GetMemoryDC, , (), );
};
template <class T>
using RecorderOf = std::conditional_t<kIsDib<T>, DibRecorder, Recorder<T>>;

// pattern once for each position, its digits ("0022") in place of # ("0,0,2,2"); at a position
// marked k (a key pixel) only the part before |.
std::string Each(const std::string& pattern, const std::string& positions = "00 10 01 11")
{
    std::string out, position;
    for (std::istringstream in(positions); in >> position;) {
        std::string calls = pattern.substr(0, position.back() == 'k' ? pattern.find('|') : std::string::npos), at;
        for (const char c : position) at += c == 'k' ? "" : (at.empty() ? "" : ",") + std::string(1, c);
        for (std::size_t i; (i = calls.find_first_of("#|")) != std::string::npos;) {
            calls.replace(i, 1, calls[i] == '#' ? at : " ");
        }
        out += " " + calls;
    }
    return out;
}

template <class T>
class DerivedCallsTest : public ::testing::Test {};
using PlainClasses = ::testing::Types<CMemoryImage, CDibSectionImage>;
TYPED_TEST_SUITE(DerivedCallsTest, PlainClasses);

TYPED_TEST(DerivedCallsTest, EachGeneralPathMakesTheCallsTheGuideLists)
{
    using S = RecorderOf<TypeParam>;
    using D = DibRecorder;
    const std::string file = ScratchPath("calls.bmp"), bmp = BmpFile(2, 2, [](int, int) { return 0; });
    const auto* rows = reinterpret_cast<const BYTE*>(bmp.data()) + 54;
    std::ofstream(file, std::ios::binary) << bmp;
    // A 3 x 3 rectangle's rows of copies, the image's size read for each copy.
    const auto tiles = [](const std::string& copy, const char* top, const char* bottom) {
        return " GetHeight()" + Each(copy, top) + " GetHeight()" + Each(copy, bottom);
    };
    const std::string size = " GetWidth() GetHeight()", sizes = size + " d.GetWidth() d.GetHeight()";
    const std::string keyPixel = Each("IsKeyColor(#)|GetPixel(#) d.SetPixel(#,0)", "00 10k 01 11");
    const std::string mix =
        "IsKeyColor(#) GetRed(#) d.GetRed(#) GetGreen(#) d.GetGreen(#) GetBlue(#) d.GetBlue(#) d.SetColor(#,0)";
    const auto keyed = [](S& s) { s.SetPixel(1, 0, 1), s.SetColorKey(1); };
    const struct {
        const char* what;
        std::function<void(S& s, D& d)> op;  // s is 2 x 2, d is 2 x 2 and a DIB section, all pixels 0
        std::string calls, dib = "";         // for the DIB-section source when that differs
    } cases[] = {
        {"GetColor", [](S& s, D&) { s.GetColor(1, 1), s.GetColor(-1, 0); }, size + " GetPixel(1,1)"},
        {"channels", [](S& s, D&) { s.GetRed(1, 0), s.GetGreen(1, 0), s.GetBlue(1, 0); },
         " GetPixel(1,0) GetPixel(1,0) GetPixel(1,0)"},
        {"GetColorRef", [](S& s, D&) { s.GetColorRef(1, 0); }, " GetBlue(1,0) GetGreen(1,0) GetRed(1,0)"},
        {"SetColor", [](S& s, D&) { s.SetColor(1, 0, 0xFF123456); }, " SetPixel(1,0,0x123456)"},
        {"SetRed", [](S& s, D&) { s.SetRed(1, 0, 300); }, size + " GetPixel(1,0) SetPixel(1,0,0xff0000)"},
        {"Add, Scale: raw",
         [](S& s, D&) {
             s.SetPixel(1, 0, 0xFEFEFE), s.AddRed(1, 0, 2), s.ScaleBlue(1, 0, -2.0);
             s.AddGreen(1, 0, INT_MAX), s.ScaleRed(1, 0, std::nan(""));
         },
         size + " GetRed(1,0) SetRed(1,0,256)" + size + " GetBlue(1,0) SetBlue(1,0,-508)" + size +
             " GetGreen(1,0) SetGreen(1,0,2147483647)" + size + " GetRed(1,0) SetRed(1,0,0)"},
        {"IsKeyColor", [](S& s, D&) { s.IsKeyColor(1, 0), s.SetColorKey(1), s.IsKeyColor(1, 0); },
         " GetColorKey() GetColorKey()" + size + " GetColor(1,0)"},
        {"Create", [](S& s, D&) { s.Create(2, 2, 0), s.Create(2, 2, 7); }, Each("SetPixel(#,0x7)")},
        {"LoadBmp", [&](S& s, D&) { s.LoadBmp(file.c_str()); }, " LoadFromMemory(p,384)"},
        {"LoadFromMemory", [&](S& s, D&) { s.LoadFromMemory(bmp.data(), IMAGE_FORMAT_BMPFILE); },
         " Create(2,2,0)" + size + " SetRows24(0,0,2,2,p)"},
        {"SetRows24", [&](S& s, D&) { s.SetRows24(-1, 1, 2, 1, rows); }, size + " SetColor(0,1,0)"},
        {"SaveBmp", [&](S& s, D&) { s.SaveBmp(file.c_str()); },
         size + Each("GetBlue(#) GetGreen(#) GetRed(#)", "01 11 00 10")},
        {"CopyFrom(IImage)", [](S& s, D& d) { d.CopyFrom(static_cast<const IImage*>(&s)); },
         size + " d.Create(2,2,0) d.GetWidth() d.GetHeight()" + Each("GetColor(#) d.SetColor(#,0)") +
             " GetColorKey() d.SetColorKey(-1)"},
        {"CopyFrom(IPixelBuffer)", [](S& s, D& d) { d.CopyFrom(static_cast<const IPixelBuffer*>(&s)); },
         " GetScanLineConst(0)" + size + " d.Create(2,2,0) d.GetScanLine(0) d.GetWidth() d.GetHeight() GetColorKey()" +
             " d.SetColorKey(-1)"},
        {"BltTo(IImage)", [](S& s, D& d) { s.BltTo(static_cast<IImage*>(&d), 0, 0); },
         sizes + " GetColorKey()" + Each("GetColor(#) d.SetPixel(#,0)")},
        {"BltTo(IImage) keyed", [&](S& s, D& d) { keyed(s), s.BltTo(static_cast<IImage*>(&d), 0, 0); },
         sizes + " GetColorKey()" + keyPixel},
        {"BltTo sized", [](S& s, D& d) { s.BltTo(&d, 0, 0, 1, 5); },
         sizes + " GetColorKey()" + Each("GetColor(#) d.SetPixel(#,0)", "00 01")},
        {"BltTo(IPixelBuffer)", [](S& s, D& d) { s.BltTo(static_cast<IPixelBuffer*>(&d), 0, 0); },
         sizes + " GetColorKey() GetScanLineConst(0) d.GetScanLine(0) GetScanLineConst(1) d.GetScanLine(1)"},
        {"BltTo(IPixelBuffer) keyed", [&](S& s, D& d) { keyed(s), s.BltTo(static_cast<IPixelBuffer*>(&d), 0, 0); },
         sizes + " GetColorKey() GetColorKey()" + keyPixel},
        {"BltTo(IDibImage)",
         [](S& s, D& d) {
             for (const ColorKey key : {COLORKEY_NONE, 1})
                 s.SetColorKey(key), s.BltTo(static_cast<IDibImage*>(&d), 1, 0);
         },
         " GetColorKey() d.GetDC() Draw(p,1,0) GetColorKey() BltTo(P:d,1,0)"},
        {"BltTo(IGdiImage)", [](S& s, D& d) { s.BltTo(static_cast<IGdiImage*>(&d), 1, 0); }, " d.GetDC() Draw(p,1,0)"},
        {"Draw", [](S& s, D& d) { s.Draw(d.GetDC(), 0, 0); },
         size + " GetColorKey() GetScanLineConst(0) GetBitmapInfo()"},
        {"Draw keyed", [&](S& s, D& d) { keyed(s), s.Draw(d.GetDC(), 0, 0); },
         size + " GetColorKey()" + Each("IsKeyColor(#)|GetColorRef(#)", "00 10k 01 11")},
        {"Draw part", [](S& s, D& d) { s.Draw(d.GetDC(), 0, 0, 5, 1); },
         " GetWidth()" + size + " GetColorKey() GetScanLineConst(0) GetBitmapInfo()"},
        {"DrawBlend", [](S& s, D& d) { s.DrawBlend(d.GetDC(), 0, 0, 0.5), s.DrawBlend(d.GetDC(), 0, 0, 1.0); },
         size + Each("IsKeyColor(#) GetRed(#) GetGreen(#) GetBlue(#)") + " Draw(p,0,0)"},
        {"BlendTo", [](S& s, D& d) { s.BlendTo(&d, 0, 0, 0.5), s.BlendTo(&d, 0, 0, 1.0); },
         size + Each(mix) + " BltTo(I:d,0,0)"},
        {"TileTo", [](S& s, D& d) { d.Create(3, 3, 0), s.TileTo(&d, 0, 0, 3, 3); },
         " d.GetWidth() d.GetHeight()" + size + tiles("GetWidth() GetHeight() BltTo(I:d,#)", "0022 2012", "0221 2211")},
        {"DrawTiled", [](S& s, D& d) { d.Create(3, 3, 0), s.DrawTiled(d.GetDC(), 0, 0, 3, 3); },
         size + size + tiles("GetWidth() GetHeight() Draw(p,#)", "00 20", "02 22"),
         size + tiles("GetWidth() GetHeight() Draw(p,#)", "0022 2012", "0221 2211")},
        {"DrawLine", [](S& s, D&) { s.DrawLine(0, 0, 1, 1, 0xFF000009); },
         size + " SetColor(0,0,0xff000009) SetColor(1,1,0xff000009)", " GetMemoryDC()"},
        {"DrawRect", [](S& s, D&) { s.DrawRect(0, 0, 1, 1, 9); },
         " DrawLine(0,0,1,0,0x9) DrawLine(1,0,1,1,0x9) DrawLine(1,1,0,1,0x9) DrawLine(0,1,0,0,0x9)"},
        {"FillRect", [](S& s, D&) { s.FillRect(0, 0, 1, 1, 9), s.FillRect(0, 0, 0, 1, 9); },
         " GetHeight() DrawLine(0,0,1,0,0x9) DrawLine(0,1,1,1,0x9) DrawLine(0,0,0,1,0x9)"},
        {"CreateSubImage", [](S& s, D&) { delete s.CreateSubImage(1, 0, 2, 2); }, Each("GetColor(#)", "10 20 11 21")},
        {"CreateFromBitmap", [](S& s, D& d) { s.CreateFromBitmap(d.GetBitmap()); }, " Create(2,2,0) GetScanLine(0)",
         " GetMemoryDC() Create(2,2,0) GetScanLine(0)"},
        {"ImportRows24", [&](S& s, D&) { s.ImportRows24(rows, IMAGE_FORMAT_ROWS24); },
         size + " GetScanLine(0) GetScanLine(0) GetScanLine(1) GetScanLine(1)"},
    };
    for (const auto& c : cases) {
        const auto s = Make<S>(2, 2);
        const auto d = Make<D>(2, 2);
        d->tag = 'd';
        g_log.clear();
        c.op(*s, *d);
        EXPECT_EQ(kIsDib<TypeParam> && !c.dib.empty() ? c.dib : c.calls, g_log) << c.what;
    }
    std::remove(file.c_str());
}

}  // namespace
