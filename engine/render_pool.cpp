#include "engine/render_pool.h"

#include <system_error>

RenderPool::RenderPool(std::function<void()> threadStart) : threadStart_(std::move(threadStart)) {}

int RenderPool::grow(int threads)
{
    std::lock_guard<std::mutex> lock(mutex_);
    try {
        for (; size_ < threads; ++size_)
            std::thread(&RenderPool::serve, this, size_, generation_).detach();
    } catch (const std::system_error&) {
        // The threads made so far serve; the caller makes do with them.
    }
    return size_;
}

void RenderPool::run(int threads, std::function<void(int)> task)
{
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = std::make_shared<const Task>(Task{std::move(task), threads});
    ++generation_;
    wake_.notify_all();
}

// A thread waits for the first task given after it was made: `done` is the
// generation of the tasks at that moment.
void RenderPool::serve(int index, std::uint64_t done)
{
    if (threadStart_)
        threadStart_();
    for (;;) {
        std::shared_ptr<const Task> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return generation_ != done; });
            done = generation_;
            task = task_;
        }
        if (index < task->threads)
            task->work(index);
    }
}
