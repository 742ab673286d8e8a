// The geometry of the orbit line: where its handles start, which handle a
// point is over, and the points spaced along it.
#pragma once

// Half the side of a handle's hit box at 96 DPI: the box reaches this many
// pixels to each side of the handle point, both bounds included (11 x 11
// pixels). On a screen of a larger scale the reach grows with it.
constexpr int handleReach = 5;

// How far in from the corners the handles start, at 96 DPI.
constexpr int startHandleInset = 10;

// The start positions of the two handles in a client rectangle: handle 1
// inset pixels in from the lower-left corner, handle 2 inset pixels in from
// the upper-right corner.
void placeStartHandles(int left, int top, int right, int bottom, int handleX[2], int handleY[2],
                       int inset = startHandleInset);

// 1 or 2 for the first handle whose hit box, reaching reach pixels to each
// side, holds (x, y), else 0. Handle 1 wins where both boxes hold the point.
int handleHitAt(const int handleX[2], const int handleY[2], int x, int y, int reach = handleReach);

// Fills xs[0..n) and ys[0..n) with the first n of n + 1 equally spaced points
// from handle 1 to handle 2. Writes nothing when n is 0 or less.
void sampleLinePoints(const int handleX[2], const int handleY[2], double* xs, double* ys, int n);
