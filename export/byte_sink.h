// Where the orbit file's bytes go: a file, or memory in the tests.
#pragma once

#include <cstddef>

class ByteSink {
public:
    // Writes all size bytes; false when they could not all be written.
    virtual bool writeBytes(const char* data, std::size_t size) = 0;

protected:
    ~ByteSink() = default;
};
