#include "export/file_replacement.h"

std::string systemText(DWORD error)
{
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    if (result.empty())
        result = "Error " + std::to_string(error) + ".";
    return result;
}

std::string quotedPath(const std::string& path)
{
    return "\"" + path + "\"";
}

std::string folderOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".\\") : path.substr(0, separator + 1);
}

TargetKind inspectTarget(const char* path, DWORD* error)
{
    // Opening with no access right reads only the object's kind.
    const UniqueHandle object(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!object.valid()) {
        *error = GetLastError();
        return *error == ERROR_PATH_NOT_FOUND || *error == ERROR_INVALID_NAME ? TargetKind::unreachable
                                                                              : TargetKind::absent;
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool isFolder = GetFileInformationByHandle(object.get(), &information) &&
                          (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const DWORD type = GetFileType(object.get());
    if (isFolder)
        return TargetKind::folder;
    return type == FILE_TYPE_DISK ? TargetKind::regularFile : TargetKind::device;
}

FileReplacement::FileReplacement(const std::string& target) : target_(target)
{
    char temporary[MAX_PATH] = "";
    if (GetTempFileNameA(folderOf(target).c_str(), "zlv", 0, temporary))
        temporary_ = temporary;
    else
        failure_ = "Cannot create a file in the folder of " + quotedPath(target) + ": " + systemText(GetLastError());
}

FileReplacement::~FileReplacement()
{
    if (!temporary_.empty() && !replaced_)
        DeleteFileA(temporary_.c_str());
}

UniqueHandle FileReplacement::openForWriting()
{
    UniqueHandle file(CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        failure_ = "Cannot create a file in the folder of " + quotedPath(target_) + ": " + systemText(GetLastError());
    return file;
}

std::string FileReplacement::replaceTarget()
{
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return "Cannot replace the file " + quotedPath(target_) + ": " + systemText(GetLastError()) +
               " The earlier file is left as it was.";
    }
    replaced_ = true;
    return {};
}
