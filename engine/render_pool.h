// The render threads: a fixed set of threads, made once and kept for the life
// of the process, that run the rows of one picture at a time. A thread costs
// milliseconds to start under some systems; a calculation only wakes threads
// that wait, without spinning, for their next task.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class RenderPool {
public:
    // Each thread of the pool calls threadStart once, first of all: the
    // program lowers the threads' priority there.
    explicit RenderPool(std::function<void()> threadStart = {});

    // The pool lives as long as the process; its threads are never joined,
    // so that the process can end while a task runs.
    RenderPool(const RenderPool&) = delete;
    RenderPool& operator=(const RenderPool&) = delete;

    // Grows the pool to `threads` threads, as far as the system lets it
    // make them, and tells how many it has then.
    int grow(int threads);

    // Runs task(0) to task(threads - 1), each on a thread of its own, and
    // returns at once; the pool must have grown to `threads` already. A
    // thread may still be on its way out of the previous task; it takes up
    // the new one when it is back. A task may only be given once every
    // thread of the previous one has begun it: a task that ends when its
    // last thread is done, as a picture does, keeps that rule by itself.
    void run(int threads, std::function<void(int)> task);

private:
    struct Task {
        std::function<void(int)> work;
        int threads;
    };
    void serve(int index, std::uint64_t done);

    std::function<void()> threadStart_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::shared_ptr<const Task> task_;
    std::uint64_t generation_ = 0;
    int size_ = 0;
};
