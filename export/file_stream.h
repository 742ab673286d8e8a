// A COM stream over an open file, for encoders that write through IStream.
// It keeps the system's error of the first write that failed, which the
// encoder itself may only report as a general failure.
#pragma once

#include "common/unique_handle.h"

#include <windows.h>
#include <objidl.h>

#include <atomic>
#include <utility>

class FileStream final : public IStream {
public:
    // Takes over the file; it is closed by close() or when the last
    // reference goes.
    explicit FileStream(UniqueHandle file) : file_(std::move(file)) {}

    // Closes the file now, whoever still holds the stream; later calls fail.
    void close();

    // The error of the first write that failed; 0 while none has.
    DWORD writeError() const { return writeError_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Read(void* data, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override;

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* status, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

private:
    ~FileStream();

    UniqueHandle file_;
    std::atomic<ULONG> references_{1};
    DWORD writeError_ = 0;
};
