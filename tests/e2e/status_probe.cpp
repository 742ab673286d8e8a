// zelvar_status TEXT [SECONDS]: waits until the status bar of the running
// explorer shows TEXT in its first part. Exits 0 when it does, 1 when the time
// (60 seconds unless given) runs out first.
#include "tests/e2e/explorer_process.h"
#include "tests/support/wait_for.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelvar_status TEXT [SECONDS]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    const DWORD timeoutMs = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) * 1000 : 60000;
    HWND frame = nullptr;
    const bool seen = waitFor(
        [&] {
            frame = FindWindowA("Zelvar2", nullptr);
            return frame && statusPartTextOf(frame, 0) == wanted;
        },
        timeoutMs);
    std::printf("%s\n", frame ? statusPartTextOf(frame, 0).c_str() : "no explorer window");
    return seen ? 0 : 1;
}
