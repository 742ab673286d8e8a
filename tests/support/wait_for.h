// How the tests wait for something to happen: by polling a condition with a
// generous time-out, never by a fixed sleep.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Calls done() until it is true or timeoutMs have passed; returns its last
// answer, asked once more when the time is up. Between two calls runs
// between(), by default a rest of 10 ms; the in-process Win32 tests
// dispatch their thread's messages there.
inline bool waitFor(const std::function<bool()>& done, unsigned long timeoutMs = 60000,
                    const std::function<void()>& between = {})
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return done();
        if (between)
            between();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
