// The small steps on plain text that the readers of typed values and of
// location files share: blanks, trimming, and a value quoted in a message.
#pragma once

#include <string>
#include <string_view>

// A space or a tab.
bool isBlank(char c);

// text without the blanks at its start and its end.
std::string_view trimmed(std::string_view text);

// A value as a message quotes it, in double quotes: its first 40
// characters, any byte that is not printable ASCII shown as "?", and "..."
// when it goes on.
std::string quotedValue(std::string_view text);
