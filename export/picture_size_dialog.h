// The dialog "Picture Size", which takes the width and height of a picture
// to save.
#pragma once

#include "export/picture_size.h"

#include <windows.h>

// Asks for the size of a picture over owner. Both fields show the view's
// size viewWidth x viewHeight at first, and "Keep the view's proportions" is
// checked: while it is, a change of one side sets the other in the view's
// proportions. OK takes a valid size into *size and closes the dialog; a
// bad one gets a message that names the field, and the dialog stays open.
// False when the dialog was cancelled.
bool askPictureSize(HWND owner, int viewWidth, int viewHeight, PictureSize* size);
INT_PTR CALLBACK pictureSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
