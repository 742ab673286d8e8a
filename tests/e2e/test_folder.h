// A folder of the test program's own for the files of one test, in the
// temporary folder and named for the process; it is made empty and is
// removed, with everything in it, when the object goes.
#pragma once

#include <string>

class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's path, without a backslash at the end.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
