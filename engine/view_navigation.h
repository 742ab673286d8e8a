// The history of the one fractal view: the changes of place that it
// records, and Back and Forward through it.
#pragma once

#include <functional>

// Runs change, a request of the view's gate that may move the view: a zoom,
// a move, a dialog that changes the parameters. When the view's place or
// parameters differ afterwards, the place it left joins its history; a
// change that keeps them (such as a zoom that the range refuses) records
// nothing.
void changeView(const std::function<void()>& change);

// Shows the place before (or after) the one shown, if there is one, and
// calculates it; the place shown joins the other side. Run as requests of
// the view's gate, never while a calculation runs.
void goBack();
void goForward();
