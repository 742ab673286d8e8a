// Programs of the machine the tests run on (outside the Windows layer), such
// as the screenshot tool and the ray tracer.
#pragma once

#include <string>

// The host's path of a Windows path, or "" when there is none.
std::string hostPath(const std::string& windowsPath);

// Runs command with the host's shell and waits for it to end; returns its
// exit status, or -1 when it could not be run or did not end in time.
int runHostCommand(const std::string& command, unsigned timeoutMs = 120000);

// Quotes text for the host's shell.
std::string shellQuoted(const std::string& text);
