// Writes the toolbar's picture strip, a 4-bit BMP in the standard 16-colour
// palette, from the text pixel map of the button pictures, for 96 DPI or for
// the DPI given.
#include "resources/bitmap_file.h"
#include "resources/tools/dpi_argument.h"
#include "shell/toolbar_picture.h"

#include <cstdio>

int main(int argc, char** argv)
{
    int dpi = defaultDpi;
    if ((argc != 3 && argc != 4) || (argc == 4 && !readDpiArgument(argv[3], dpi))) {
        std::fprintf(stderr, "usage: %s PICTURES.txt OUTPUT.bmp [DPI: 96, 120, 144 or 192]\n", argv[0]);
        return 2;
    }
    PixelMap map;
    Picture strip;
    std::string error;
    if (!readPixelMapFile(argv[1], map, error) || !makeToolbarPicture(map, strip, error, dpi)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!writeBytes(argv[2], encodeBmp4(strip))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
