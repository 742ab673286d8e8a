// A request to close the program while an export is written: the export
// stops as its Cancel stops it, and then the program ends.
#include "resources/resource_ids.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const char earlierContent[] = "earlier content\r\n";

// Starts an export of some 300 MB from the frame's command over path, and
// once its progress window shows runs closeRequest(frame) on the driver's
// thread. Returns when the export's dialog has ended; whatever the script
// leaves open is cancelled, so that a failing script never hangs the test.
void exportThenClose(HWND frame, const std::string& path, const std::function<void(HWND)>& closeRequest)
{
    runCommandWith(
        frame, CMD_EXPORT,
        [&](DWORD uiThread) {
            HWND dialog = waitForDialog(uiThread, "Export Properties", frame);
            HWND save = dialog ? confirmCounts(uiThread, dialog, "1000", "10000") : nullptr;
            if (save) {
                saveAs(save, path);
                EXPECT_TRUE(confirmReplacement(uiThread, save));
                EXPECT_TRUE(waitForDialog(uiThread, "Export Orbits", dialog)) << "the progress window shows";
                closeRequest(frame);
            }
        },
        10000);
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
