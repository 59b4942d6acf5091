#pragma once

#include <QImage>
#include <QRegion>

namespace tolvane {

// The widest or tallest picture that gets an outline: one polygon point per
// row or column plus two corners must fit in 1025 points.
inline constexpr int kOutlineMaxSide = 1023;

// Region of everything that is not background as seen from the four sides.
// The background is the colour of pixel (0, 0). The region starts as the
// polygon through the four corner pixels, so like any polygon region it
// stops short of the last column and row; each side then loses the margin
// between the picture's edge and the first non-background pixels.
// Background enclosed by the skin (holes, bars) stays in the region.
// False (region untouched) when the picture is wider or taller than 1023 pixels.
bool OutlineRegion(const QImage& picture, QRegion& region);

// The plain region of a width x height picture, every pixel included.
QRegion RectangleRegion(int width, int height);

} // namespace tolvane
