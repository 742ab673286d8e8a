#include "shell/main_toolbar.h"

#include "common/gdi_object.h"
#include "common/window_dpi.h"
#include "resources/resource_ids.h"
#include "shell/toolbar_picture.h"

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

// The seven button pictures drawn for the scale of dpi, side by side in
// their strip; the list cuts the strip itself.
HIMAGELIST makeImageList(HINSTANCE instance, int dpi)
{
    const int pictureDpi = pictureDpiFor(dpi);
    HIMAGELIST list =
        ImageList_Create(toolbarImageWidthFor(pictureDpi), toolbarImageHeightFor(pictureDpi), ILC_COLOR, 3, 0);
    // The list keeps a copy of the strip.
    const GdiObject<HBITMAP> pictures(LoadBitmapA(instance, scaledResourceName("toolbar", pictureDpi).c_str()));
    ImageList_Add(list, pictures.get(), nullptr);
    return list;
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

    imageList = makeImageList(instance, windowDpi(parent));
    SendMessageA(toolbarWindow, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList));
    SendMessageA(toolbarWindow, TB_ADDBUTTONSA, buttonCount, reinterpret_cast<LPARAM>(buttons));
}

void MainToolbar::fitToDpi(HINSTANCE instance, int dpi)
{
    HIMAGELIST pictures = makeImageList(instance, dpi);
    SendMessageA(toolbarWindow, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
    ImageList_Destroy(imageList);
    imageList = pictures;
    // The buttons fit the pictures and the control's padding again: a new
    // list alone would only ever widen them.
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(pictures, &width, &height);
    const DWORD padding = DWORD(SendMessageA(toolbarWindow, TB_GETPADDING, 0, 0));
    SendMessageA(toolbarWindow, TB_SETBUTTONSIZE, 0, MAKELPARAM(width + LOWORD(padding), height + HIWORD(padding)));
    SendMessageA(toolbarWindow, TB_AUTOSIZE, 0, 0);
    InvalidateRect(toolbarWindow, nullptr, TRUE);
}
