#include "shell/main_toolbar.h"

#include "resources/resource_ids.h"

MainToolbar* theMainToolbar = nullptr;

namespace {

constexpr int buttonCount = 12;

// Value-initialised, so that the reserved bytes and the unused fields are zero.
TBBUTTON pictureButton(int image, int command)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    return button;
}

TBBUTTON separator()
{
    TBBUTTON button = {};
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_SEP;
    return button;
}

} // namespace

void MainToolbar::createMainToolbar(HWND parent, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    toolbarWindow = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                                    parent, nullptr, instance, nullptr);

    TBBUTTON buttons[buttonCount] = {
        pictureButton(0, CMD_RECALCULATE),
        separator(),
        pictureButton(1, CMD_ZOOM_RESET),
        separator(),
        pictureButton(2, CMD_ZOOM_IN),
        pictureButton(3, CMD_ZOOM_OUT),
        separator(),
        pictureButton(4, CMD_CHANGE_PARAMETERS),
        separator(),
        pictureButton(5, CMD_STOP),
        separator(),
        pictureButton(6, CMD_EXPORT),
    };

    // Seven 16 x 15 pictures side by side; the list cuts the strip itself.
    imageList = ImageList_Create(16, 15, ILC_COLOR, 3, 0);
    HBITMAP pictures = LoadBitmapA(instance, "toolbar");
    ImageList_Add(imageList, pictures, nullptr);

    SendMessageA(toolbarWindow, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList));
    SendMessageA(toolbarWindow, TB_ADDBUTTONSA, buttonCount, reinterpret_cast<LPARAM>(buttons));
}
