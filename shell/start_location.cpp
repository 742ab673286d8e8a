#include "shell/start_location.h"

#include "common/dialog_steps.h"
#include "export/location_source.h"
#include "shell/command_line.h"

#include <windows.h>

#include <string>

Location startLocation(const char* arguments)
{
    const std::string path = commandLinePath(arguments ? arguments : "");
    Location location;
    if (path.empty())
        return location;
    const std::string problem = readLocationFrom(path.c_str(), location);
    if (!problem.empty())
        showErrorBox(nullptr, problem);
    return location;
}
