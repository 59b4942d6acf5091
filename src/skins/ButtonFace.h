#pragma once

#include <QImage>
#include <QPoint>

namespace tolvane {

// The three colour kinds of the button colour window, in its option order.
enum class ColorKind { Natural = 0, Tinted = 1, Transparent = 2 };

// The button colour settings: the kind and the four scroll bar values as set
// (signs included; red, green, blue amount and light).
struct FaceColors
{
    ColorKind kind = ColorKind::Natural;
    int bar[4] = {0, 0, 0, 0};
};

// The face of a button of the mask's size whose top-left is at `topLeft` on the
// skin: the skin under the button, shaded through the mask. Mask pixels equal to
// the mask's top-left pixel lie outside the button and keep the skin; the part of
// the face beyond the skin is black before shading. Returns a Format_RGB32 image,
// or a null image for a null mask.
QImage MakeButtonFace(const QImage& skin, QPoint topLeft, const QImage& mask,
                      const FaceColors& colors);

} // namespace tolvane
