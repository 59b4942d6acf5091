#include "forms/FrmProg.h"

#include <QVBoxLayout>

namespace tolvane {

FrmProg::FrmProg(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle("Tolvane99");
    setFixedWidth(360);
    Label1 = new QLabel;
    Label2 = new QLabel;
    Label2->setWordWrap(true);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(ProgressBar1);
}

} // namespace tolvane
