#include "tests/e2e/test_folder.h"

#include "tests/e2e/utf16.h"

#include <windows.h>

namespace {

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
    removeFolder(utf16(path_));
    CreateDirectoryW(utf16(path_).c_str(), nullptr);
}

TestFolder::~TestFolder()
{
    removeFolder(utf16(path_));
}
