// Temporary files of one test. The native tests run as one process per test
// and side by side, so a name shared between two tests would let one test
// read the other's file: each path carries the running test's own name.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

class TestFiles {
public:
    TestFiles() = default;
    TestFiles(const TestFiles&) = delete;
    TestFiles& operator=(const TestFiles&) = delete;

    ~TestFiles()
    {
        for (const std::string& path : paths_)
            std::remove(path.c_str());
    }

    // A path of this test that is removed with this object; no file is made.
    std::string path(const std::string& name)
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string path = testing::TempDir();
        if (test)
            path += std::string(test->test_suite_name()) + "." + test->name() + "-";
        path += name;
        paths_.push_back(path);
        return path;
    }

    // Writes bytes to a file of this test and returns its path.
    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return file;
    }

private:
    std::vector<std::string> paths_;
};
