#include "engine/view_history.h"

#include <utility>

bool operator==(const VisitedView& a, const VisitedView& b)
{
    return a.location == b.location && a.centerReal == b.centerReal && a.centerImag == b.centerImag;
}

bool operator!=(const VisitedView& a, const VisitedView& b)
{
    return !(a == b);
}

void ViewHistory::record(const VisitedView& left)
{
    places_.erase(places_.begin() + static_cast<std::ptrdiff_t>(position_), places_.end());
    places_.push_back(left);
    ++position_;
    if (places_.size() > historyLimit) {
        places_.pop_front();
        --position_;
    }
}

// The shown place and its neighbour swap: the neighbour is shown, and the
// place that was shown stands where it stood, on the other side of the gap.
VisitedView ViewHistory::goBack(const VisitedView& shown)
{
    --position_;
    return std::exchange(places_[position_], shown);
}

VisitedView ViewHistory::goForward(const VisitedView& shown)
{
    VisitedView ahead = std::exchange(places_[position_], shown);
    ++position_;
    return ahead;
}
