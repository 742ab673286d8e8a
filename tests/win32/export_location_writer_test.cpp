// The writing of location files: the text of the location, an earlier file
// replaced only once the new one is whole, and messages that name the file.
#include "engine/location_file.h"
#include "export/location_file_writer.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

Location somewhere()
{
    Location location;
    location.centerReal = PreciseReal("-0.75000000000000000000000000000000000000000000000001");
    location.halfHeight = 1e-45;
    location.iterationLimit = 1234;
    return location;
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

TEST(LocationFileWriter, WritesTheTextAndReplacesAnEarlierFile)
{
    const std::string path = temporaryPath("writer.zelvar");
    writeBytes(path, "earlier");
    EXPECT_EQ(writeLocationFile(path, somewhere()), "");
    EXPECT_EQ(fileBytes(path), locationFileText(somewhere()));
    EXPECT_EQ(strayTemporaryFiles(folderOf(path)), 0);
    DeleteFileA(path.c_str());
}

TEST(LocationFileWriter, FailuresNameTheFileAndLeaveTheEarlierOne)
{
    const std::string folder = temporaryPath("writer-folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(writeLocationFile(folder, somewhere()), "Cannot create the file \"" + folder + "\": it is a folder.");
    EXPECT_EQ(writeLocationFile("NUL", somewhere()), "Cannot save a location as \"NUL\": it is a device, not a file.");

    const std::string nowhere = temporaryPath("no-such-folder\\x.zelvar");
    EXPECT_EQ(writeLocationFile(nowhere, somewhere()).rfind("Cannot create the file \"" + nowhere + "\": ", 0), 0u);

    const std::string readOnly = temporaryPath("writer-read-only.zelvar");
    writeBytes(readOnly, "earlier");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(writeLocationFile(readOnly, somewhere()),
              "Cannot replace the file \"" + readOnly + "\": it is read-only. The earlier file is left as it was.");
    EXPECT_EQ(fileBytes(readOnly), "earlier");
    EXPECT_EQ(strayTemporaryFiles(folderOf(readOnly)), 0);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(readOnly.c_str());
    RemoveDirectoryA(folder.c_str());
}
