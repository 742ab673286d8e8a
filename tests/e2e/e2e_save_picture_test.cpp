// File > Save Picture through the menus, as a user does it: the saved PNG
// file has the size chosen, the explorer's colours and the location inside.
#include "engine/escape_time.h"
#include "engine/location_file.h"
#include "export/png_location.h"
#include "resources/resource_ids.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/test_folder.h"
#include "tests/e2e/user_input.h"
#include "tests/support/png_picture.h"
#include "tests/support/wait_for.h"

namespace {

} // namespace

TEST_F(ExplorerTest, SavePictureThroughTheMenusWritesThePictureAndItsLocation)
{
    const TestFolder folder("picture");
    const std::string path = folder.path() + "\\saved.png";

    // File, then Save Picture by its underlined letter.
    pressKey(VK_MENU);
    pressKey('F');
    pressKey('P');
    HWND save = explorer->waitForTopWindow("Save Picture As");
    ASSERT_NE(save, nullptr);
    waitForForeground(save);
    typeText(path);
    pressKey(VK_RETURN);

    // The size dialog shows the view's size; a new width brings the height
    // in the view's proportions.
    HWND size = explorer->waitForTopWindow("Picture Size");
    ASSERT_NE(size, nullptr);
    waitForForeground(size);
    RECT client = {};
    GetClientRect(explorer->view(), &client);
    EXPECT_EQ(remoteWindowText(GetDlgItem(size, IDC_PICTURE_WIDTH)), std::to_string(client.right));
    EXPECT_EQ(remoteWindowText(GetDlgItem(size, IDC_PICTURE_HEIGHT)), std::to_string(client.bottom));
    const int width = 321;
    const int height = (width * client.bottom * 2 + client.right) / (client.right * 2);
    ASSERT_TRUE(replaceEditText(GetDlgItem(size, IDC_PICTURE_WIDTH), std::to_string(width)));
    EXPECT_TRUE(waitFor(
        [&] { return remoteWindowText(GetDlgItem(size, IDC_PICTURE_HEIGHT)) == std::to_string(height); }, 10000));
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(size));

    // The file appears only once it is whole.
    ASSERT_TRUE(waitFor([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    const DecodedPicture picture = decodePngPicture(path);
    ASSERT_EQ(picture.failure, "");
    EXPECT_EQ(picture.width, unsigned(width));
    EXPECT_EQ(picture.height, unsigned(height));
    int wrong = 0;
    for (const ClientPoint& point : probePoints(width, height, 0, 0, 0, 0)) {
        const std::uint32_t expected = colorToPixel(expectedColor(view, point.x, point.y, width, height));
        if (picture.at(point.x, point.y) != expected && ++wrong <= 3)
            ADD_FAILURE() << "pixel (" << point.x << ", " << point.y << ")";
    }
    EXPECT_EQ(wrong, 0);

    // Its text chunk holds the start-up location.
    const PngLocationSearch search = findPngLocation(path.c_str());
    ASSERT_TRUE(search.found) << search.problem;
    Location location;
    location.iterationLimit = 1;
    EXPECT_EQ(readLocationText(search.text, location), "");
    EXPECT_TRUE(location == Location());
    EXPECT_EQ(search.text, locationFileText(Location()));

    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(explorer->frame()) != FALSE; })) << "the save has ended";
    EXPECT_EQ(explorer->statusText(0), "Done");
}
