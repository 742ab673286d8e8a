#include "view/wheel_turns.h"

#include <algorithm>

void WheelTurns::add(int delta)
{
    // Both are within the limit, so their sum cannot overflow.
    constexpr int limit = wheelNotchLimit * wheelNotch;
    turns_ = std::clamp(turns_ + std::clamp(delta, -limit, limit), -limit, limit);
}

bool WheelTurns::holdsNotch() const
{
    return turns_ >= wheelNotch || turns_ <= -wheelNotch;
}

int WheelTurns::takeNotches()
{
    // Division truncates toward zero: the rest keeps the sign of the turns.
    const int notches = turns_ / wheelNotch;
    turns_ -= notches * wheelNotch;
    return notches;
}
