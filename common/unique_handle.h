// A kernel object's handle (a file, a device, a process) owned for the
// length of a scope and closed at its end. close() closes it before that and
// tells whether the closing succeeded: for a file, the closing may be the
// first to hear that its last bytes could not be written.
#pragma once

#include <windows.h>

#include <utility>

class UniqueHandle {
public:
    UniqueHandle() = default;
    // Takes over handle. The platform's two answers for a failure,
    // INVALID_HANDLE_VALUE and null, hold nothing.
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { close(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    // INVALID_HANDLE_VALUE once closed, as the file functions take it.
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

    // Closes the handle now; false when CloseHandle failed, GetLastError
    // then telling why. A handle that holds nothing closes successfully.
    bool close()
    {
        if (!valid())
            return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
