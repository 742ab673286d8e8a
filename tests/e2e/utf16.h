// The UTF-16 text of a UTF-8 one, for the wide calls of the platform: file
// names and command lines beyond ASCII.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring utf16(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &text[0], length);
    text.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
    return text;
}
