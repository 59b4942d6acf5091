#include "forms/FrmPlay.h"

#include <QVBoxLayout>

namespace tolvane {

FrmPlay::FrmPlay(MediaEngine& engine, QWidget* parent) : QWidget(parent)
{
    setWindowTitle("Tolvane99");
    MCIWnd1 = new VideoControl(engine, this);
    MCIWnd1->setObjectName("MCIWnd1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MCIWnd1);
    resize(354, 242);
}

} // namespace tolvane
