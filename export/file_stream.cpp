#include "export/file_stream.h"

namespace {

HRESULT lastError()
{
    return HRESULT_FROM_WIN32(GetLastError());
}

} // namespace

FileStream::~FileStream()
{
    close();
}

void FileStream::close()
{
    file_.close();
}

HRESULT STDMETHODCALLTYPE FileStream::QueryInterface(REFIID id, void** object)
{
    if (!object)
        return E_POINTER;
    if (id == IID_IUnknown || id == IID_ISequentialStream || id == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FileStream::AddRef()
{
    return ++references_;
}

ULONG STDMETHODCALLTYPE FileStream::Release()
{
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE FileStream::Read(void* data, ULONG size, ULONG* read)
{
    DWORD done = 0;
    const BOOL succeeded = ReadFile(file_.get(), data, size, &done, nullptr);
    if (read)
        *read = done;
    if (!succeeded)
        return lastError();
    return done == size ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FileStream::Write(const void* data, ULONG size, ULONG* written)
{
    DWORD done = 0;
    const BOOL succeeded = WriteFile(file_.get(), data, size, &done, nullptr);
    if (written)
        *written = done;
    if (succeeded && done == size)
        return S_OK;
    // A short write without an error is a full disk.
    const DWORD error = succeeded ? ERROR_DISK_FULL : GetLastError();
    if (!writeError_)
        writeError_ = error;
    return HRESULT_FROM_WIN32(error);
}

HRESULT STDMETHODCALLTYPE FileStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    LARGE_INTEGER reached = {};
    if (!SetFilePointerEx(file_.get(), move, &reached, origin))
        return lastError();
    if (position)
        position->QuadPart = static_cast<ULONGLONG>(reached.QuadPart);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileStream::SetSize(ULARGE_INTEGER size)
{
    LARGE_INTEGER here = {};
    LARGE_INTEGER zero = {};
    LARGE_INTEGER end = {};
    end.QuadPart = static_cast<LONGLONG>(size.QuadPart);
    const HANDLE file = file_.get();
    if (!SetFilePointerEx(file, zero, &here, FILE_CURRENT) || !SetFilePointerEx(file, end, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(file) || !SetFilePointerEx(file, here, nullptr, FILE_BEGIN))
        return lastError();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FileStream::Commit(DWORD)
{
    return FlushFileBuffers(file_.get()) ? S_OK : lastError();
}

HRESULT STDMETHODCALLTYPE FileStream::Revert()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FileStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE FileStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE FileStream::Stat(STATSTG* status, DWORD)
{
    if (!status)
        return STG_E_INVALIDPOINTER;
    *status = STATSTG{};
    status->type = STGTY_STREAM;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file_.get(), &size))
        return lastError();
    status->cbSize.QuadPart = static_cast<ULONGLONG>(size.QuadPart);
    status->grfMode = STGM_WRITE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileStream::Clone(IStream**)
{
    return E_NOTIMPL;
}
