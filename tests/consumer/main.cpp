// Creates an image through the installed headers and library and reads a pixel back; exits
// non-zero, saying so, when anything does not hold.
#include <cstdio>

#include "image/DibSectionImage.h"  // not used: every installed class header must compile
#include "image/MemoryImage.h"

int main()
{
    CMemoryImage image(3, 2);
    const bool ok = image.Create(5, 4, 0x00102030) && image.GetWidth() == 5 && image.SetColor(4, 3, 0xFFABCDEF) &&
                    image.GetColor(4, 3) == 0x00ABCDEF && image.GetColor(0, 0) == 0x00102030 && !image.SetColor(5, 0, 0);
    std::puts(ok ? "consumer: ok" : "consumer: the installed library does not work");
    return ok ? 0 : 1;
}
