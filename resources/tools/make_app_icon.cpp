// Writes the program's icon, at all the sizes it is drawn at, to the given
// path as an icon file.
#include "resources/bitmap_file.h"
#include "resources/tools/app_icon.h"
#include "resources/tools/icon_file.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    std::vector<IconImage> images;
    for (int size : appIconSizes)
        images.push_back(makeAppIcon(size));
    if (!writeBytes(argv[1], encodeIco(images))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
