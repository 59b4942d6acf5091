#include "ui/FrmVCD.h"

#include <QCloseEvent>

namespace tolvane {

FrmVCD::FrmVCD(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint)
{
    setWindowTitle("Tolvane99");
    auto* face = new QLabel(this);
    face->move(0, 0);
    DeskPic.append(face);
    Image1 = new QLabel(this);
    Image1->hide();
    Label1 = new QLabel(this);
    Label1->hide();
    Label2 = new QLabel(this);
    Label2->hide();
    for (QLabel*& label : Label3) {
        label = new QLabel("Tolvane99", this);
        label->hide();
    }
    TimerBMP = new QTimer(this);
    TimerBMP->setInterval(5000);
}

// The window's close runs the orderly exit; the exit itself ends the process.
void FrmVCD::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT queryUnload();
}

} // namespace tolvane
