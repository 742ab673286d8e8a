// The "Picture Size" dialog, driven from a second thread as a user would:
// the view's size at first, the sides that keep the view's proportions, and
// sizes refused with a message that names the field.
#include "export/picture_size_dialog.h"

#include "resources/resource_ids.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/export_test_view.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const char caption[] = "Picture Size";

struct Answer {
    bool accepted = false;
    PictureSize size{-1, -1};
};

// Opens the dialog over the test's host for a view of viewWidth x viewHeight
// while script(dialog) runs on a second thread; whatever the script leaves
// open is cancelled.
Answer runSizeDialog(int viewWidth, int viewHeight, const std::function<void(HWND dialog)>& script)
{
    Answer answer;
    runBesideScript([&] { answer.accepted = askPictureSize(exportTestHost(), viewWidth, viewHeight, &answer.size); },
                    [&](DWORD uiThread) {
                        HWND dialog = waitForDialog(uiThread, caption, exportTestHost());
                        EXPECT_NE(dialog, nullptr) << "the dialog appears";
                        if (dialog)
                            script(dialog);
                    });
    return answer;
}

bool isChecked(HWND dialog)
{
    return SendMessageA(GetDlgItem(dialog, IDC_PICTURE_KEEP_PROPORTIONS), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Clicks the check box as the mouse does.
void clickCheckBox(HWND dialog)
{
    SendMessageA(GetDlgItem(dialog, IDC_PICTURE_KEEP_PROPORTIONS), BM_CLICK, 0, 0);
}

// Presses OK with these sides and returns the message of the error box that
// comes, owned by the dialog, with the error icon; "<no box>" without one.
std::string refusal(HWND dialog, const std::string& width, const std::string& height)
{
    setItemText(dialog, IDC_PICTURE_WIDTH, width);
    setItemText(dialog, IDC_PICTURE_HEIGHT, height);
    pressButton(dialog, IDOK);
    HWND box = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), "Error", dialog);
    if (!box)
        return "<no box>";
    const SeenMessageBox seen = readMessageBox(box);
    EXPECT_TRUE(seen.errorIcon) << "the box shows the error icon";
    pressButton(box, IDOK);
    EXPECT_TRUE(waitUntilClosed(box));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    EXPECT_EQ(itemText(dialog, IDC_PICTURE_WIDTH), width) << "the texts stay as typed";
    EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), height);
    return seen.text;
}

} // namespace

TEST(PictureSizeDialog, ShowsTheViewsSizeInTheLookOfTheOtherDialogs)
{
    std::string checkBoxText;
    const Answer answer = runSizeDialog(400, 200, [&](HWND dialog) {
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_WIDTH), "400");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), "200");
        EXPECT_TRUE(isChecked(dialog));
        checkBoxText = itemText(dialog, IDC_PICTURE_KEEP_PROPORTIONS);
        EXPECT_EQ(itemText(dialog, IDOK), "OK");
        EXPECT_EQ(itemText(dialog, IDCANCEL), "Cancel");
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & DS_MODALFRAME);
        EXPECT_FALSE(IsWindowEnabled(exportTestHost())) << "the dialog is modal";
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(checkBoxText, "Keep the view's proportions");
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.size.width, 400);
    EXPECT_EQ(answer.size.height, 200);

    const Answer cancelled = runSizeDialog(400, 200, [](HWND dialog) {
        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_FALSE(cancelled.accepted);
}

TEST(PictureSizeDialog, WhileCheckedEachSideSetsTheOtherInTheViewsProportions)
{
    const Answer answer = runSizeDialog(500, 400, [](HWND dialog) {
        setItemText(dialog, IDC_PICTURE_WIDTH, "8000");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), "6400");
        setItemText(dialog, IDC_PICTURE_HEIGHT, "301");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_WIDTH), "376") << "376.25";
        // A text that is no side leaves the other as it is.
        setItemText(dialog, IDC_PICTURE_WIDTH, "12a");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), "301");

        // Unchecked, the sides are free.
        clickCheckBox(dialog);
        EXPECT_FALSE(isChecked(dialog));
        setItemText(dialog, IDC_PICTURE_WIDTH, "1001");
        setItemText(dialog, IDC_PICTURE_HEIGHT, "7");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_WIDTH), "1001");
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), "7");

        // Checked again, the height follows the width at once.
        clickCheckBox(dialog);
        EXPECT_TRUE(isChecked(dialog));
        EXPECT_EQ(itemText(dialog, IDC_PICTURE_HEIGHT), "801") << "800.8";
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.size.width, 1001);
    EXPECT_EQ(answer.size.height, 801);
}

TEST(PictureSizeDialog, BadSizesGetAMessageThatNamesTheFieldAndTheDialogStaysOpen)
{
    const std::string width = "The width must be a whole number of pixels from 1 to 65535.";
    const std::string height = "The height must be a whole number of pixels from 1 to 65535.";
    const Answer answer = runSizeDialog(400, 200, [&](HWND dialog) {
        clickCheckBox(dialog);
        EXPECT_EQ(refusal(dialog, "0", "200"), width);
        EXPECT_EQ(refusal(dialog, "", "200"), width);
        EXPECT_EQ(refusal(dialog, "65536", "200"), width);
        EXPECT_EQ(refusal(dialog, "-3", "200"), width);
        EXPECT_EQ(refusal(dialog, "400", "0"), height);
        EXPECT_EQ(refusal(dialog, "400", "two hundred"), height);
        EXPECT_EQ(refusal(dialog, "400", "70000"), height);
        EXPECT_EQ(refusal(dialog, "65535", "40000"),
                  "The picture may have at most 2147483647 pixels in all: a width of 65535 and a height of 40000 "
                  "make 2621400000.");
        // A good size after all that is taken.
        setItemText(dialog, IDC_PICTURE_WIDTH, "65535");
        setItemText(dialog, IDC_PICTURE_HEIGHT, "32768");
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.size.width, 65535);
    EXPECT_EQ(answer.size.height, 32768);
}
