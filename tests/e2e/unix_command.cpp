#include "tests/e2e/unix_command.h"

#include "tests/e2e/explorer_process.h"
#include "tests/support/wait_for.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::string hostPath(const std::string& windowsPath)
{
    // The Windows layer names a file on the host through this export.
    using ToHost = char* (*)(const wchar_t*);
    auto toHost = reinterpret_cast<ToHost>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toHost)
        return "";
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* host = toHost(wide);
    if (!host)
        return "";
    std::string result(host);
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char ch : text) {
        if (ch == '\'')
            quoted += "'\\''";
        else
            quoted += ch;
    }
    return quoted + "'";
}

namespace {

// One argument of a Windows command line: quoted, with the backslashes that
// come before a quote doubled and the quotes themselves escaped.
std::string commandLineArgument(const std::string& text)
{
    std::string argument = "\"";
    size_t backslashes = 0;
    for (char ch : text) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        argument.append(ch == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        argument += ch;
    }
    argument.append(2 * backslashes, '\\');
    return argument + "\"";
}

} // namespace

int runHostCommand(const std::string& command, unsigned timeoutMs)
{
    // A host program started from here gives no process handle to wait on:
    // it writes its exit status into a file when it ends.
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH] = {};
    GetTempFileNameA(folder, "zst", 0, name);
    DeleteFileA(name);
    const std::string statusFile = hostPath(name);
    if (statusFile.empty())
        return -1;

    const std::string script = "(" + command + "); echo $? > " + shellQuoted(statusFile + ".part") + " && mv " +
                               shellQuoted(statusFile + ".part") + " " + shellQuoted(statusFile);
    std::string line = "/bin/sh -c " + commandLineArgument(script);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);

    if (!waitFor([&] { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
        return -1;
    int status = -1;
    if (FILE* file = std::fopen(name, "r")) {
        if (std::fscanf(file, "%d", &status) != 1)
            status = -1;
        std::fclose(file);
    }
    DeleteFileA(name);
    return status;
}
