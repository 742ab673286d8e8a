// File > Save Picture through the frame's command: the view's finished
// picture saved as it is only while it is the picture asked for, the
// progress window of a long save over a frame that stays alive, its Cancel,
// the end of the program during a save, and failures named over the frame.
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "orbits/orbit_window.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/png_picture.h"
#include "tests/support/rendered_picture.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const char saveCaption[] = "Save Picture As";
const char earlierContent[] = "earlier picture";

// How the driver answers the dialogs of the command: the file name, and the
// sides to type with the proportions unchecked ("" keeps the view's size).
struct SaveSteps {
    std::string path;
    std::string width;
    std::string height;
};

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.rfind('\\') + 1);
}

// Goes through the save dialog (answering Yes when it asks to replace a
// file) and the size dialog; false when one of them did not come.
bool answerDialogs(DWORD uiThread, HWND frame, const SaveSteps& steps)
{
    HWND save = waitForDialog(uiThread, saveCaption, frame);
    if (!save)
        return false;
    const bool exists = GetFileAttributesA(steps.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    saveAs(save, steps.path);
    if (exists) {
        HWND question = waitForDialog(uiThread, saveCaption, save);
        if (!question)
            return false;
        pressButton(question, IDYES);
    }
    HWND size = waitForDialog(uiThread, "Picture Size", frame);
    if (!size)
        return false;
    if (!steps.width.empty()) {
        SendMessageA(GetDlgItem(size, IDC_PICTURE_KEEP_PROPORTIONS), BM_CLICK, 0, 0);
        setItemText(size, IDC_PICTURE_WIDTH, steps.width);
        setItemText(size, IDC_PICTURE_HEIGHT, steps.height);
    }
    pressButton(size, IDOK);
    return true;
}

// Gives the frame CMD_SAVE_PICTURE on this thread while a second thread
// answers its dialogs and then runs meanwhile(uiThread). Returns once the
// command has ended; whatever is left open then is cancelled, so that a
// failing script never hangs the test.
void saveThroughFrame(HWND frame, const SaveSteps& steps, const std::function<void(DWORD uiThread)>& meanwhile = {})
{
    runCommandWith(
        frame, CMD_SAVE_PICTURE,
        [&](DWORD uiThread) {
            const bool answered = answerDialogs(uiThread, frame, steps);
            EXPECT_TRUE(answered) << "the save and size dialogs came";
            if (answered && meanwhile)
                meanwhile(uiThread);
        },
        10000);
}

std::vector<std::uint32_t> viewPicture()
{
    const std::uint32_t* pixels = renderJob.newPixels;
    return std::vector<std::uint32_t>(
        pixels, pixels + std::size_t(theFractalView->bitmapWidth) * std::size_t(theFractalView->bitmapHeight));
}

std::vector<std::uint32_t> expectedPicture(int width, int height)
{
    return renderedPicture(theFractalView->location(), theFractalView->centerReal, theFractalView->centerImag, width,
                           height);
}

// On the edge of the main cardioid: pictures whose rows take long, with the
// double and the precise centre together.
Location cardioidEdge(int limit)
{
    Location location;
    location.centerReal = -0.3905408702184;
    location.centerImag = -0.5867879073469687;
    location.halfHeight = 3e-6;
    location.iterationLimit = limit;
    return location;
}

// Sends a message to a window of the test's thread from the driver, which
// must not hang when that thread has stopped answering.
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 2000, &answer) ? LRESULT(answer) : -1;
}

std::string askText(HWND window, UINT message = WM_GETTEXT, WPARAM wParam = 0)
{
    char text[256] = "";
    if (message == WM_GETTEXT)
        wParam = sizeof text;
    ask(window, message, wParam, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string rowsLine(HWND progress)
{
    return askText(GetDlgItem(progress, IDC_SAVE_PROGRESS_TEXT));
}

// The number N of "Row N of M".
int rowsShown(HWND progress)
{
    const std::string line = rowsLine(progress);
    return line.rfind("Row ", 0) == 0 ? std::atoi(line.c_str() + 4) : -1;
}

bool answersAtOnce(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 250, &answer) != 0;
}

// Puts the view at location once it is idle and lets its calculation run.
void moveViewTo(const Location& location)
{
    ASSERT_TRUE(waitUntilIdle());
    theFractalView->moveTo(location);
}

} // namespace

TEST(FrameSavePicture, TheViewsPictureIsSavedAsItIsOnlyWhileItIsThePictureAskedFor)
{
    TestFrame frame;
    const int width = theFractalView->bitmapWidth;
    const int height = theFractalView->bitmapHeight;
    const std::string path = temporaryPath("frame-saved.png");
    DeleteFileA(path.c_str());

    // A mark that no calculation gives, in the view's finished picture: a
    // save at the view's size writes it, and computes nothing.
    std::vector<std::uint32_t> marked = viewPicture();
    const std::uint32_t original = marked[0];
    marked[0] = 0x123456;
    renderJob.newPixels[0] = marked[0];
    saveThroughFrame(frame.window(), {path, "", ""});
    const DecodedPicture asShown = decodePngPicture(path);
    renderJob.newPixels[0] = original;
    ASSERT_EQ(asShown.failure, "");
    EXPECT_EQ(asShown.width, unsigned(width));
    EXPECT_EQ(asShown.height, unsigned(height));
    EXPECT_TRUE(asShown.pixels == marked) << "the view's picture, mark and all";

    // One pixel wider, the picture is computed.
    saveThroughFrame(frame.window(), {path, std::to_string(width + 1), std::to_string(height)});
    EXPECT_TRUE(decodePngPicture(path).pixels == expectedPicture(width + 1, height));

    // A view that has changed since its calculation: the picture of the
    // view as it is now.
    theFractalView->maxIterations = 40;
    saveThroughFrame(frame.window(), {path, "", ""});
    const DecodedPicture changed = decodePngPicture(path);
    EXPECT_TRUE(changed.pixels == expectedPicture(width, height));
    EXPECT_FALSE(changed.pixels == viewPicture());
    theFractalView->maxIterations = 32;

    // A cancelled calculation leaves part of a picture; the saved one is
    // computed, and it is what the view shows once it is "Done".
    moveViewTo(cardioidEdge(3000));
    requestStop();
    ASSERT_TRUE(waitUntilIdle());
    ASSERT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Cancelled");
    saveThroughFrame(frame.window(), {path, "", ""});
    const DecodedPicture computed = decodePngPicture(path);
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    ASSERT_TRUE(waitUntilIdle());
    ASSERT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_TRUE(computed.pixels == viewPicture()) << "pixel for pixel the view's";
    DeleteFileA(path.c_str());
}

TEST(FrameSavePicture, ALongSaveShowsItsProgressWhileTheFrameAndTheViewsCalculationGoOn)
{
    TestFrame frame;
    const std::string path = temporaryPath("frame-save-cancelled.png");
    writeBytes(path, earlierContent);
    // The view's calculation runs for seconds, its save for minutes.
    moveViewTo(cardioidEdge(20000));
    saveThroughFrame(frame.window(), {path, "4000", "3000"}, [&](DWORD uiThread) {
        HWND progress = waitForDialog(uiThread, "Save Picture", frame.window());
        ASSERT_TRUE(progress) << "the progress window shows";
        char className[64] = "";
        GetClassNameA(GetDlgItem(progress, IDC_SAVE_PROGRESS_BAR), className, sizeof className);
        EXPECT_STREQ(className, "msctls_progress32");
        EXPECT_EQ(askText(GetDlgItem(progress, IDCANCEL)), "Cancel");
        EXPECT_FALSE(IsWindowEnabled(frame.window())) << "the progress window is modal";

        // "Row N of M", and the bar at N, rising.
        const int first = rowsShown(progress);
        EXPECT_GE(first, 0) << rowsLine(progress);
        EXPECT_TRUE(waitFor([&] { return rowsShown(progress) > first; })) << rowsLine(progress);
        const std::string line = rowsLine(progress);
        EXPECT_EQ(line, "Row " + std::to_string(std::atoi(line.c_str() + 4)) + " of 3000");
        EXPECT_GT(ask(GetDlgItem(progress, IDC_SAVE_PROGRESS_BAR), PBM_GETPOS), first);
        EXPECT_EQ(ask(GetDlgItem(progress, IDC_SAVE_PROGRESS_BAR), PBM_GETRANGE, FALSE), 3000);

        // The frame answers, the view repaints, the Orbits window follows
        // the mouse, and the view's calculation goes on with its own texts.
        EXPECT_TRUE(answersAtOnce(frame.window()));
        const HWND view = theFractalView->window;
        InvalidateRect(view, nullptr, FALSE);
        EXPECT_TRUE(waitFor([&] { return !GetUpdateRect(view, nullptr, FALSE); })) << "the view repaints";
        ask(view, WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
        EXPECT_EQ(theOrbitWindow->pointRe, theFractalView->pixelToReal(40));
        EXPECT_EQ(theOrbitWindow->pointIm, theFractalView->pixelToImag(30));
        const std::string percentage = askText(theStatusPanel->statusBar, SB_GETTEXTA, 2);
        EXPECT_TRUE(waitFor([&] { return askText(theStatusPanel->statusBar, SB_GETTEXTA, 2) != percentage; }))
            << "the calculation goes on past " << percentage;
        EXPECT_EQ(askText(theStatusPanel->statusBar, SB_GETTEXTA, 0), "Calculating...");
        requestStop();
        EXPECT_TRUE(waitFor([&] { return !theFractalView->busy; }));
        EXPECT_EQ(askText(theStatusPanel->statusBar, SB_GETTEXTA, 0), "Cancelled");
        EXPECT_TRUE(IsWindow(progress)) << "all of this while the picture is saved";

        pressButton(progress, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(progress)) << "Cancel ends the save";
        EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
    });
    EXPECT_EQ(fileBytes(path), earlierContent);
    EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
    EXPECT_TRUE(IsWindowEnabled(frame.window()));

    // Escape and the close box cancel too.
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "escape" : "close box");
        saveThroughFrame(frame.window(), {path, "4000", "3000"}, [&](DWORD uiThread) {
            HWND progress = waitForDialog(uiThread, "Save Picture", frame.window());
            ASSERT_TRUE(progress);
            if (escape)
                PostMessageA(GetDlgItem(progress, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 1);
            else
                PostMessageA(progress, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(waitUntilClosed(progress));
            EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
        });
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
    }
    DeleteFileA(path.c_str());
}

TEST(FrameSavePicture, ClosingTheFrameStopsTheSaveKeepsTheEarlierFileAndEndsTheProgram)
{
    const std::string path = temporaryPath("frame-closed-during-save.png");
    const struct {
        const char* name;
        std::function<void(HWND)> request;
    } requests[] = {
        {"WM_CLOSE", [](HWND frame) { PostMessageA(frame, WM_CLOSE, 0, 0); }},
        // Windows may end the program as soon as the message is answered:
        // by then the save has stopped and its temporary file is gone.
        {"WM_ENDSESSION",
         [&path](HWND frame) {
             DWORD_PTR result = 0;
             EXPECT_TRUE(SendMessageTimeoutA(frame, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 10000,
                                             &result));
             EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
             EXPECT_EQ(fileBytes(path), earlierContent);
         }},
    };
    for (const auto& request : requests) {
        SCOPED_TRACE(request.name);
        writeBytes(path, earlierContent);
        TestFrame frame;
        moveViewTo(cardioidEdge(20000));
        requestStop();
        ASSERT_TRUE(waitUntilIdle());
        saveThroughFrame(frame.window(), {path, "4000", "3000"}, [&](DWORD uiThread) {
            EXPECT_TRUE(waitForDialog(uiThread, "Save Picture", frame.window())) << "the progress window shows";
            request.request(frame.window());
        });
        EXPECT_FALSE(IsWindow(frame.window())) << "the frame has closed";
        WPARAM code = 99;
        EXPECT_TRUE(takeQuitMessage(&code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
    }
    DeleteFileA(path.c_str());
}

TEST(FrameSavePicture, ANameWithoutExtensionGetsPngAndAFailureIsNamedOverTheFrame)
{
    TestFrame frame;
    const std::string stem = temporaryPath("frame-saved-stem");
    DeleteFileA((stem + ".png").c_str());
    saveThroughFrame(frame.window(), {stem, "30", "20"});
    const DecodedPicture saved = decodePngPicture(stem + ".png");
    EXPECT_EQ(saved.failure, "");
    EXPECT_EQ(saved.width, 30u);
    DeleteFileA((stem + ".png").c_str());

    // A read-only file is kept, with a message box over the frame.
    const std::string path = temporaryPath("frame-read-only.png");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeBytes(path, earlierContent);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string message;
    saveThroughFrame(frame.window(), {path, "30", "20"}, [&](DWORD uiThread) {
        HWND box = waitForDialog(uiThread, "Error", frame.window());
        ASSERT_TRUE(box) << "an error box over the frame";
        message = readMessageBox(box).text;
        pressButton(box, IDOK);
        EXPECT_TRUE(waitUntilClosed(box));
    });
    EXPECT_EQ(message,
              "Cannot replace the file \"" + path + "\": it is read-only. The earlier file is left as it was.");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fileBytes(path), earlierContent);
    EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
    DeleteFileA(path.c_str());
}
