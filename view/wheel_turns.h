// The turns of the mouse wheel that are still to be zoomed: whole notches of
// WHEEL_DELTA each, and the part of a notch that fine-grained wheels send a
// little at a time.
#pragma once

// One notch of the wheel, the WHEEL_DELTA of the platform.
constexpr int wheelNotch = 120;

// The turns kept reach no further than this many notches either way: far
// more than the range of the view, and far from the limits of an int.
constexpr int wheelNotchLimit = 4000;

class WheelTurns {
public:
    // Adds a turn: positive towards the screen, in units of wheelNotch.
    void add(int delta);

    // Whether the turns make at least one whole notch either way.
    bool holdsNotch() const;

    // Takes the whole notches, positive towards the screen, and keeps the
    // rest of a notch for the turns to come.
    int takeNotches();

    // Forgets every turn.
    void clear() { turns_ = 0; }

private:
    int turns_ = 0;
};
