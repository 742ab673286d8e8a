#include "common/dialog_steps.h"

void showErrorBox(HWND owner, const std::string& text)
{
    MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

std::string dialogItemText(HWND dialog, int id, int bufferSize)
{
    std::string text(static_cast<std::size_t>(bufferSize), '\0');
    text.resize(GetDlgItemTextA(dialog, id, &text[0], bufferSize));
    return text;
}

std::string dialogItemText(HWND dialog, int id)
{
    return dialogItemText(dialog, id, GetWindowTextLengthA(GetDlgItem(dialog, id)) + 1);
}
