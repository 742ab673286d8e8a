// The render threads: made once, each task run once on each of its threads,
// and a task given as soon as the last thread of the one before is done.
#include "engine/render_pool.h"

#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

TEST(RenderPool, GrowsOnceAndRunsEachPartOfATaskOnceOnAThreadOfItsOwn)
{
    std::atomic<int> started{0};
    RenderPool& pool = *new RenderPool([&] { ++started; });
    EXPECT_EQ(pool.grow(3), 3);
    EXPECT_EQ(pool.grow(2), 3);
    EXPECT_EQ(pool.grow(5), 5);

    for (int round = 0; round < 200; ++round) {
        const int threads = 1 + round % 5;
        std::mutex mutex;
        std::multiset<int> parts;
        std::set<std::thread::id> threadIds;
        std::atomic<int> left{threads};
        std::atomic<bool> done{false};
        pool.run(threads, [&](int index) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                parts.insert(index);
                threadIds.insert(std::this_thread::get_id());
            }
            // The last part to end lets the next task be given at once,
            // while this thread is still on its way out.
            if (--left == 0)
                done = true;
        });
        ASSERT_TRUE(waitFor([&] { return done.load(); }, 30000)) << "round " << round;
        std::lock_guard<std::mutex> lock(mutex);
        std::multiset<int> expected;
        for (int index = 0; index < threads; ++index)
            expected.insert(index);
        EXPECT_EQ(parts, expected) << "round " << round;
        EXPECT_EQ(int(threadIds.size()), threads) << "round " << round;
    }
    EXPECT_EQ(started, 5);
}
