// waiting_cpu [ZELVAR_EXE]: drives the explorer through the moments when its
// user-interface thread waits, and prints a line at the start and the end of
// each, for scripts/bench-waiting.sh to measure the thread's processor time
// from /proc in between:
//   - "wait1" to "wait6": at the largest limit a calculation of the first
//     view runs for 2 s; then + (or -, every other time, to come back) is
//     pressed and the mouse moves over the picture for 6 s. Where the
//     calculation has got to decides how long its stop takes;
//   - "export": the 1.8 GB orbit export of 6000 points of 10000 iterations.
// It also prints how long Stop takes to show "Cancelled" at the largest
// limit, seen from this process, five times.
#include "resources/resource_ids.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_process.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void mark(const char* phase, const char* edge)
{
    std::printf("mark %s %s\n", phase, edge);
    std::fflush(stdout);
}

// Keeps the mouse moving over the view for the given time, as a user does.
void moveMouseFor(const ExplorerProcess& explorer, std::chrono::milliseconds time)
{
    RECT view = {};
    GetClientRect(explorer.view(), &view);
    const Clock::time_point end = Clock::now() + time;
    for (int step = 0; Clock::now() < end; ++step) {
        if (!moveMouseTo(clientToScreen(explorer.view(), 20 + step * 7 % (view.right - 40), view.bottom / 2)))
            std::fprintf(stderr, "the mouse could not be moved\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void measureStopLatency(const ExplorerProcess& explorer)
{
    for (int round = 0; round < 5; ++round) {
        PostMessageA(explorer.frame(), WM_COMMAND, CMD_RECALCULATE, 0);
        waitFor([&] { return explorer.statusText(0) == "Calculating..."; });
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const Clock::time_point stop = Clock::now();
        PostMessageA(explorer.frame(), WM_COMMAND, CMD_STOP, 0);
        waitFor([&] { return explorer.statusText(0) == "Cancelled"; }, 20000, [] {});
        std::printf("stop %.1f ms\n", std::chrono::duration<double, std::milli>(Clock::now() - stop).count());
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    ExplorerProcess explorer("", argc > 1 ? argv[1] : "");
    if (!explorer.ok() || !explorer.waitForEnd("Done")) {
        std::fprintf(stderr, "the explorer did not start\n");
        return 1;
    }
    explorer.activate();
    if (!changeParameters(explorer, "15", "2147483647", false)) {
        std::fprintf(stderr, "the parameters could not be set\n");
        return 1;
    }
    PostMessageA(explorer.frame(), WM_COMMAND, CMD_STOP, 0);
    for (int round = 1; round <= 6; ++round) {
        explorer.waitForEnd("Cancelled", 120000);
        PostMessageA(explorer.frame(), WM_COMMAND, CMD_RECALCULATE, 0);
        waitFor([&] { return explorer.statusText(0) == "Calculating..."; });
        std::this_thread::sleep_for(std::chrono::seconds(2));
        explorer.activate();
        const std::string phase = "wait" + std::to_string(round);
        mark(phase.c_str(), "begin");
        typeText(round % 2 ? "+" : "-");
        moveMouseFor(explorer, std::chrono::seconds(6));
        mark(phase.c_str(), "end");
        PostMessageA(explorer.frame(), WM_COMMAND, CMD_STOP, 0);
    }

    measureStopLatency(explorer);
    PostMessageA(explorer.frame(), WM_COMMAND, CMD_STOP, 0);
    explorer.waitForEnd("Cancelled");

    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "zelvar-waiting-export.pov";
    explorer.activate();
    pressWithModifier(VK_CONTROL, 'E');
    HWND dialog = explorer.waitForTopWindow(exportCaption);
    if (!dialog || !replaceEditText(GetDlgItem(dialog, IDC_EXPORT_POINTS), "6000") ||
        !replaceEditText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS), "10000")) {
        std::fprintf(stderr, "the export dialog did not take the counts\n");
        return 1;
    }
    pressKey(VK_RETURN);
    HWND save = explorer.waitForTopWindow(saveCaption);
    if (!save) {
        std::fprintf(stderr, "the save dialog did not come\n");
        return 1;
    }
    waitForForeground(save);
    DeleteFileA(path.c_str());
    typeText(path);
    mark("export", "begin");
    pressKey(VK_RETURN);
    waitForClosed(dialog, 600000);
    mark("export", "end");
    DeleteFileA(path.c_str());
    return 0;
}
