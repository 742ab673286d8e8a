// The places the view has left, for Back and Forward: a list of visited
// views with a position in it, as a browser keeps its pages.
#pragma once

#include "engine/location.h"

#include <cstddef>
#include <deque>

// A place the view has shown: its location, and the double centre that the
// view's formulas had there. A shallow view's double centre is its precise
// centre; a deep view's only comes near it, and coming back restores both.
struct VisitedView {
    Location location;
    double centerReal = -0.5;
    double centerImag = 0;
};

bool operator==(const VisitedView& a, const VisitedView& b);
bool operator!=(const VisitedView& a, const VisitedView& b);

// The history holds at most this many places besides the one shown.
constexpr std::size_t historyLimit = 1000;

class ViewHistory {
public:
    // The view has left `left` for another place: it becomes the place
    // Back returns to, and the places ahead are dropped. Beyond
    // historyLimit the oldest place is forgotten.
    void record(const VisitedView& left);

    bool canGoBack() const { return position_ > 0; }
    bool canGoForward() const { return position_ < places_.size(); }

    // The place before (or after) the one shown, which must exist; `shown`
    // takes its place on the other side, for the way back.
    VisitedView goBack(const VisitedView& shown);
    VisitedView goForward(const VisitedView& shown);

    // The places kept, behind and ahead together.
    std::size_t size() const { return places_.size(); }

private:
    // The places behind the one shown, oldest first, then those ahead,
    // nearest first: the shown place stands between places_[position_ - 1]
    // and places_[position_].
    std::deque<VisitedView> places_;
    std::size_t position_ = 0;
};
