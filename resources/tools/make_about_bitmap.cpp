// Writes the About dialog's picture, a 4-bit BMP in the standard 16-colour
// palette, to the given path.
#include "resources/bitmap_file.h"
#include "resources/tools/about_picture.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    if (!writeBytes(argv[1], encodeBmp4(makeAboutPicture()))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
