// A request to close the program while an export is written: the export
// stops as its Cancel stops it, and then the program ends.
#include "resources/resource_ids.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_driver.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const char earlierContent[] = "earlier content\r\n";

BOOL CALLBACK collectDialog(HWND window, LPARAM parameter)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

// Starts an export of some 300 MB from the frame's command over path, and
// once its progress window shows runs closeRequest(frame) on the driver's
// thread. Returns when the export's dialog has ended; whatever the script
// leaves open is cancelled, so that a failing script never hangs the test.
void exportThenClose(HWND frame, const std::string& path, const std::function<void(HWND)>& closeRequest)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> ended{false};
    std::thread driver([&] {
        HWND dialog = waitForDialog(uiThread, "Export Properties", frame);
        HWND save = dialog ? confirmCounts(uiThread, dialog, "1000", "10000") : nullptr;
        if (save) {
            saveAs(save, path);
            EXPECT_TRUE(confirmReplacement(uiThread, save));
            EXPECT_TRUE(waitForDialog(uiThread, "Export Orbits", dialog)) << "the progress window shows";
            closeRequest(frame);
        }
        while (!waitFor([&] { return ended.load(); }, 10000)) {
            std::vector<HWND> dialogs;
            EnumThreadWindows(uiThread, collectDialog, reinterpret_cast<LPARAM>(&dialogs));
            for (HWND open : dialogs)
                PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        }
    });
    SendMessageA(frame, WM_COMMAND, CMD_EXPORT, 0);
    ended = true;
    driver.join();
}

} // namespace

TEST(FrameCloseDuringExport, ClosingTheFrameStopsTheExportKeepsTheEarlierFileAndEndsTheProgram)
{
    const std::string path = temporaryPath("closed-during-export.pov");
    const std::string folder = path.substr(0, path.rfind('\\') + 1);
    const struct {
        const char* name;
        std::function<void(HWND)> request;
    } requests[] = {
        {"WM_CLOSE", [](HWND frame) { PostMessageA(frame, WM_CLOSE, 0, 0); }},
        {"WM_ENDSESSION",
         [](HWND frame) {
             DWORD_PTR result = 0;
             EXPECT_TRUE(SendMessageTimeoutA(frame, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 10000,
                                             &result));
         }},
    };
    for (const auto& request : requests) {
        SCOPED_TRACE(request.name);
        writeBytes(path, earlierContent);
        TestFrame frame;
        exportThenClose(frame.window(), path, request.request);
        EXPECT_FALSE(IsWindow(frame.window())) << "the frame has closed";
        WPARAM code = 99;
        EXPECT_TRUE(takeQuitMessage(&code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folder), 0);
    }
    DeleteFileA(path.c_str());
}
