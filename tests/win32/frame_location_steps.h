// Steps of the tests of locations in the frame: commands whose dialogs a
// second thread answers, files dropped on the frame, and the view's place.
#pragma once

#include "engine/location.h"
#include "engine/location_fields.h"
#include "engine/view_history.h"

#include <windows.h>

#include <functional>
#include <string>

// Opens View > Location, runs atSight on the dialog, types the texts and
// presses OK; gives the texts the dialog showed on opening.
LocationTexts enterLocation(HWND frame, const LocationTexts& typed, const std::function<void(HWND)>& atSight = {});

// Opens View > Location and presses OK without a change; gives the texts
// the dialog showed.
LocationTexts pressOkUnchanged(HWND frame);

// Drops the file on frame with an HDROP as the shell makes it for one file:
// a DROPFILES block with the path after it, in memory that the frame's
// DragFinish frees. Returns the message of the error box that came,
// answered, or "" when none came by the time the drop was handled.
std::string dropFile(HWND frame, const std::string& path);

// The view's place.
VisitedView viewPlace();

// The view's picture, as its last calculation left it.
std::string viewPixels();

// The picture of the location at the view's size, computed here row by row
// by the rows the engine gives for it: what the view must show there.
std::string expectedPixels(const Location& location);

// The file at path holds this location's text.
void writeLocationFileAt(const std::string& path, const Location& location);
