// The peak memory of LoadBmp, measured from outside (/usr/bin/time -v) by scripts/bench:
//   zvx_loadpeak make FILE WIDTH HEIGHT   writes a 24-bit picture
//   zvx_loadpeak load FILE                loads it into a DIB-section image
//   zvx_loadpeak none FILE                does everything but the load (the baseline)
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Pictures.h"

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "make") == 0) {
        CMemoryImage picture(1, 1);
        zvx::bench::MakePicture(picture, std::atoi(argv[3]), std::atoi(argv[4]), 7);
        return picture.SaveBmp(argv[2]) ? 0 : 1;
    }
    if (argc >= 3 && (std::strcmp(argv[1], "load") == 0 || std::strcmp(argv[1], "none") == 0)) {
        CDibSectionImage image;
        const bool load = std::strcmp(argv[1], "load") == 0;
        if (load && !image.LoadBmp(argv[2])) return 1;
        std::printf("%d %d\n", image.GetWidth(), image.GetHeight());
        return 0;
    }
    std::fprintf(stderr, "usage: %s make FILE W H | load FILE | none FILE\n", argv[0]);
    return 2;
}
