// zelvar_status TEXT [SECONDS]: waits until the status bar of the running
// explorer shows TEXT in its first part. Exits 0 when it does, 1 when the time
// (60 seconds unless given) runs out first. The start script runs it to know
// when the first picture is finished.
#include "tools/remote_window.h"

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
    const ULONGLONG timeoutMs = argc > 2 ? static_cast<ULONGLONG>(std::atoi(argv[2])) * 1000 : 60000;
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    // Asks every 10 ms until the time is up.
    HWND frame = nullptr;
    bool seen = false;
    for (;;) {
        frame = FindWindowA("Zelvar2", nullptr);
        seen = frame && statusPartTextOf(frame, 0) == wanted;
        if (seen || GetTickCount64() > end)
            break;
        Sleep(10);
    }
    std::printf("%s\n", frame ? statusPartTextOf(frame, 0).c_str() : "no explorer window");
    return seen ? 0 : 1;
}
