// Creates an image through the installed headers and library and reads a pixel back; exits
// non-zero, saying what went wrong, when anything does not hold.
#include <cstdio>

#include "image/MemoryImage.h"
// Not used below: included so that every installed class header is compiled from the install.
#include "image/DibSectionImage.h"

int main()
{
    IImage* image = new CMemoryImage(3, 2);
    int failures = 0;
    auto check = [&failures](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "consumer: %s\n", what);
            ++failures;
        }
    };

    check(image->Create(5, 4, 0x00102030), "Create(5, 4) failed");
    check(image->GetWidth() == 5 && image->GetHeight() == 4, "wrong size after Create");
    check(image->SetColor(4, 3, 0xFFABCDEF), "SetColor at the last pixel failed");
    check(image->GetColor(4, 3) == 0x00ABCDEF, "GetColor did not return the colour set");
    check(image->GetColor(0, 0) == 0x00102030, "the fill colour is missing");
    check(!image->SetColor(5, 0, 0), "SetColor outside the image reported success");
    delete image;

    if (failures == 0) std::puts("consumer: ok");
    return failures == 0 ? 0 : 1;
}
