// Which views are deep, and where a deep view's pixels lie relative to its
// precise centre.
//
// A view is deep once its pixels lie closer together than doubles around the
// centre can tell apart. Its centre is then kept in high precision and each
// pixel is given, in doubles, as its offset from that centre; the deep
// kernel iterates the pixel's difference from a reference orbit at the
// centre.
#pragma once

// The smallest half-height a view may have: deeper, the pixel offsets of a
// tall picture would approach the subnormal doubles. Zooms beyond it are
// refused.
constexpr double deepestHalfHeight = 1e-300;

// The pixel spacing below which a view is deep: 2^-42, about 2.3e-13.
constexpr double deepSpacing = 0x1p-42;

// The distance between neighbouring pixels, 2 x halfHeight / height; a
// picture without rows is taken as one of a single row.
double pixelSpacing(double halfHeight, int height);

// Whether the view of that half-height at that picture height is deep: its
// pixel spacing is below deepSpacing. Shallow views keep the plain kernel.
bool isDeepView(double halfHeight, int height);

// The offsets from the centre of column x and of row y of a width x height
// picture: (2x/W - 1) x halfWidth and (2y/H - 1) x halfHeight, with halfWidth
// = W x halfHeight / H and the imaginary part growing downwards. Everything
// that maps deep pixels (the view on screen and pictures saved at any size)
// uses these two, so that a pixel is the same point wherever it is drawn.
double deepColumnOffset(int x, int width, double halfHeight, int height);
double deepRowOffset(int y, double halfHeight, int height);

// The largest distance of a pixel of that picture from the centre, which
// bounds every offset the deep kernel will be given: the half-diagonal.
double deepOffsetRadius(double halfHeight, int width, int height);
