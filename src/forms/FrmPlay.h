#pragma once

#include "platform/VideoControl.h"

#include <QWidget>

namespace tolvane {

// The separate video window; its own video control plays video apart from the
// main window.
class FrmPlay : public QWidget
{
    Q_OBJECT
public:
    explicit FrmPlay(MediaEngine& engine, QWidget* parent = nullptr);

    VideoControl* MCIWnd1 = nullptr;
};

} // namespace tolvane
