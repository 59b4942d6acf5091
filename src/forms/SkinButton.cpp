#include "forms/SkinButton.h"

#include <QMouseEvent>
#include <QPixmap>

namespace tolvane {

SkinButton::SkinButton(int index, QWidget* parent) : QLabel(parent), index_(index)
{
    setScaledContents(true);
}

QImage SkinButton::Face() const
{
    QPixmap picture = pixmap();
    if (picture.isNull()) {
        QImage blank(qMax(1, width()), qMax(1, height()), QImage::Format_RGB32);
        blank.fill(Qt::black);
        return blank;
    }
    return picture.toImage().convertToFormat(QImage::Format_RGB32);
}

void SkinButton::SetFace(const QImage& face)
{
    setPixmap(QPixmap::fromImage(face));
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT mouseDown(index_, event->button(), event->position().toPoint());
}

void SkinButton::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMove(index_, event->buttons(), event->position().toPoint());
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    Q_EMIT mouseUp(index_, event->button(), event->position().toPoint());
}

} // namespace tolvane
