#pragma once

#include <QPixmap>

namespace tolvane {

// The icons drawn on the control-panel and function buttons, and the buttons'
// built-in mask: drawn here, so no picture files are needed for them.
class ButtonIcons
{
public:
    static QPixmap ControlIcon(int index, int height);
    // What the play button shows while the audio CD plays.
    static QPixmap PauseIcon(int height);
    static QPixmap FunctionIcon(int index, int height);
    // A bevelled, rounded mask of the given size: black outside, grey relief inside.
    static QImage BuiltInMask(QSize size);
    static QImage PointerIcon();
    // The colour pick's pointer: a dropper whose tip, at kPickTip, takes the colour.
    static QImage PickPointer();
    static constexpr int kPickTipX = 2;
    static constexpr int kPickTipY = 21;
};

} // namespace tolvane
