#include "export/save_file_dialog.h"

#include <commdlg.h>

bool chooseFileToSave(HWND owner, const SaveFileRequest& what, char* fileName, DWORD size)
{
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(OPENFILENAMEA);
    request.hwndOwner = owner;
    request.lpstrFilter = what.filter;
    request.lpstrFile = fileName;
    request.nMaxFile = size;
    request.lpstrTitle = what.title;
    request.Flags = OFN_OVERWRITEPROMPT;
    request.lpstrDefExt = what.defaultExtension;
    return GetSaveFileNameA(&request) != 0;
}
