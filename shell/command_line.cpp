#include "shell/command_line.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string commandLinePath(std::string_view arguments)
{
    while (!arguments.empty() && isBlank(arguments.front()))
        arguments.remove_prefix(1);
    if (!arguments.empty() && arguments.front() == '"') {
        arguments.remove_prefix(1);
        return std::string(arguments.substr(0, arguments.find('"')));
    }
    while (!arguments.empty() && isBlank(arguments.back()))
        arguments.remove_suffix(1);
    return std::string(arguments);
}
