#include "export/location_file_writer.h"

#include "engine/location_file.h"
#include "export/file_replacement.h"

#include <windows.h>

namespace {

// The failure of writing the temporary file: the target was not touched.
std::string writeFailure(const std::string& path, DWORD error)
{
    return "Cannot write the file " + quotedPath(path) + ": " + systemText(error) +
           " An earlier file of that name is left as it was.";
}

} // namespace

std::string writeLocationFile(const std::string& path, const Location& location)
{
    // Replacing a file moves the new one into its place, which some file
    // systems allow over a read-only file: that is refused here.
    DWORD openError = 0;
    switch (inspectTarget(path.c_str(), &openError)) {
    case TargetKind::folder:
        return "Cannot create the file " + quotedPath(path) + ": it is a folder.";
    case TargetKind::unreachable:
        return "Cannot create the file " + quotedPath(path) + ": " + systemText(openError);
    case TargetKind::device:
        return "Cannot save a location as " + quotedPath(path) + ": it is a device, not a file.";
    case TargetKind::regularFile:
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY)
            return "Cannot replace the file " + quotedPath(path) +
                   ": it is read-only. The earlier file is left as it was.";
        break;
    case TargetKind::absent:
        break;
    }

    FileReplacement replacement(path);
    if (!replacement.failure().empty())
        return replacement.failure();
    UniqueHandle file = replacement.openForWriting();
    if (!file.valid())
        return replacement.failure();
    const std::string text = locationFileText(location);
    DWORD written = 0;
    const bool wrote = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size();
    const DWORD writeError = GetLastError();
    const bool closed = file.close();
    if (!wrote)
        return writeFailure(path, writeError);
    if (!closed)
        return writeFailure(path, GetLastError());
    return replacement.replaceTarget();
}
