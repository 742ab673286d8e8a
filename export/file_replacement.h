// A file that replaces an earlier one only once it is whole: it is written
// under a temporary name in the folder of its target and moved into the
// target's place at the end, so that a failure or a stop leaves the earlier
// file as it was and no temporary file behind. Also the checks and messages
// that the writers of files share.
#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <string>

// The platform's sentence for an error code, without its line end.
std::string systemText(DWORD error);

// A path in double quotes, as messages name files.
std::string quotedPath(const std::string& path);

// The folder part of a path, with its last separator: "C:\data\x.pov" gives
// "C:\data\"; a bare name gives the current folder.
std::string folderOf(const std::string& path);

enum class TargetKind { absent, unreachable, regularFile, device, folder };

// What the path names now; the error of opening it when it is absent or
// unreachable. It never disturbs a file that is in use.
TargetKind inspectTarget(const char* path, DWORD* error);

class FileReplacement {
public:
    // Creates the empty temporary file beside target; failure() tells when
    // it could not.
    explicit FileReplacement(const std::string& target);
    // Deletes the temporary file unless it has replaced the target. Every
    // handle on it must be closed by then: a handle had from openForWriting
    // after the replacement was made is.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // "Cannot create a file in the folder of "...": ...", or empty.
    const std::string& failure() const { return failure_; }
    const std::string& temporaryPath() const { return temporary_; }

    // Opens the temporary file for writing from its start; on failure
    // returns a handle that holds nothing, and failure() tells why.
    UniqueHandle openForWriting();

    // Puts the temporary file, written and closed, in the target's place.
    // Returns an empty text, or why it could not, ending with the
    // assurance that the earlier file is left as it was.
    std::string replaceTarget();

private:
    std::string target_;
    std::string temporary_;
    std::string failure_;
    bool replaced_ = false;
};
