// Writes the Orbits window's guide bitmap, a 24-bit BMP, to the given path.
#include "orbits/guide_picture.h"
#include "resources/bitmap_file.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    if (!writeBytes(argv[1], encodeBmp24(makeGuidePicture()))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
