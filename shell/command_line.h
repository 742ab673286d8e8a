// The path of the file to open at start, from the program's command line.
#pragma once

#include <string>
#include <string_view>

// The path in the arguments (the command line after the program's name): in
// double quotes, the text up to the closing quote (or the end); unquoted,
// the whole text, so that a path with blanks need not be quoted. Blanks
// around it are dropped; empty when there is no path.
std::string commandLinePath(std::string_view arguments);
