#include "tests/e2e/test_folder.h"

#include <windows.h>

namespace {

std::wstring wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// Deletes the files in the folder, whatever their names, and the folder.
void removeFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TestFolder::TestFolder(const std::string& name)
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "zelvar-e2e-" + name + "-" + std::to_string(GetCurrentProcessId());
    removeFolder(wide(path_));
    CreateDirectoryW(wide(path_).c_str(), nullptr);
}

TestFolder::~TestFolder()
{
    removeFolder(wide(path_));
}
