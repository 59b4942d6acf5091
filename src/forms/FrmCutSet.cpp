#include "forms/FrmCutSet.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tolvane {

FrmCutSet::FrmCutSet(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("抓圖參數設定");
    Text8 = new QLineEdit("1.0");
    VScroll3 = new QScrollBar(Qt::Vertical);
    // Up is longer: the bar holds minus the delay in tenths of a second.
    VScroll3->setRange(-100, 0);
    VScroll3->setValue(-10);
    auto* row = new QHBoxLayout(this);
    row->addWidget(new QLabel("延遲時間:"));
    row->addWidget(Text8);
    row->addWidget(VScroll3);
    row->addWidget(new QLabel("(掉格時,請增加延遲時間)"));
    connect(VScroll3, &QScrollBar::valueChanged, this,
            [this](int value) { Text8->setText(QString::number(-value / 10.0, 'f', 1)); });
}

} // namespace tolvane
