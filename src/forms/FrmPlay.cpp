#include "forms/FrmPlay.h"

namespace tolvane {

FrmPlay::FrmPlay(MediaEngine& engine, QWidget* parent) : QWidget(parent)
{
    setWindowTitle("Tolvane99");
    // What the video does not cover of a full screen stays black.
    setStyleSheet("background: black");
    MCIWnd1 = new VideoControl(engine, this);
    MCIWnd1->setObjectName("MCIWnd1");
    MCIWnd1->setGeometry(0, 0, 354, 242);
    resize(354, 242);
}

} // namespace tolvane
