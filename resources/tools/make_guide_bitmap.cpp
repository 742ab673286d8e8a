// Writes the Orbits window's guide bitmap, a 24-bit BMP, to the given path,
// for 96 DPI or for the DPI given.
#include "resources/bitmap_file.h"
#include "resources/tools/dpi_argument.h"
#include "resources/tools/guide_picture.h"

#include <cstdio>

int main(int argc, char** argv)
{
    int dpi = defaultDpi;
    if ((argc != 2 && argc != 3) || (argc == 3 && !readDpiArgument(argv[2], dpi))) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp [DPI: 96, 120, 144 or 192]\n", argv[0]);
        return 2;
    }
    if (!writeBytes(argv[1], encodeBmp24(makeGuidePicture(dpi)))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
