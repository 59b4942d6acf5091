#include "forms/FrmTemp.h"

#include <QCloseEvent>

namespace tolvane {

FrmTemp::FrmTemp(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("Tolvane99");
    resize(120, 30);
    List1 = new QListWidget(this);
    List1->hide();
}

void FrmTemp::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT queryUnload();
}

void FrmTemp::Tuck()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void FrmTemp::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isVisible() && !isMinimized())
        Q_EMIT restored();
    QWidget::changeEvent(event);
}

} // namespace tolvane
