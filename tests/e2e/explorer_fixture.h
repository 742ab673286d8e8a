// A fresh zelvar.exe for each test, with its first picture finished.
#pragma once

#include "tests/e2e/explorer_process.h"
#include "tests/e2e/picture_check.h"

#include <gtest/gtest.h>

#include <memory>

class ExplorerTest : public testing::Test {
protected:
    void SetUp() override
    {
        explorer = std::make_unique<ExplorerProcess>();
        ASSERT_TRUE(explorer->ok()) << "zelvar.exe did not show its windows";
        ASSERT_TRUE(explorer->waitForEnd("Done")) << "the first picture was not finished";
        explorer->activate();
    }

    // The view values after every navigation so far; tests update it as
    // they command the explorer.
    ViewValues view;
    std::unique_ptr<ExplorerProcess> explorer;
};
