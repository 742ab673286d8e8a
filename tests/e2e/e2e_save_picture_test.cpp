// File > Save Picture through the menus, as a user does it: the saved PNG
// file has the size chosen, the explorer's colours and the location inside.
#include "engine/escape_time.h"
#include "engine/location_file.h"
#include "export/png_location.h"
#include "resources/resource_ids.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/user_input.h"
#include "tests/support/png_picture.h"
#include "tests/support/wait_for.h"

namespace {

// A new, empty folder for this test run's files.
std::string temporaryFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "zelvar-e2e-picture-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

} // namespace

TEST_F(ExplorerTest, SavePictureThroughTheMenusWritesThePictureAndItsLocation)
{
    const std::string folder = temporaryFolder();
    const std::string path = folder + "\\saved.png";
    DeleteFileA(path.c_str());

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

    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(explorer->frame()) != FALSE; })) << "the save has ended";
    EXPECT_EQ(explorer->statusText(0), "Done");
}
