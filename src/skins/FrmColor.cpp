#include "skins/FrmColor.h"

#include <QHBoxLayout>

namespace tolvane {

FrmColor::FrmColor(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    for (QScrollBar*& bar : VScroll1) {
        bar = new QScrollBar(Qt::Vertical);
        bar->setRange(-255, 255);
        row->addWidget(bar);
    }
}

} // namespace tolvane
