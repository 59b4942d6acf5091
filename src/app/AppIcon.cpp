#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace tolvane {

namespace {

QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF disc(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QRadialGradient shine(disc.center() - QPointF(size * 0.18, size * 0.2), size * 0.7);
    shine.setColorAt(0.0, QColor(120, 220, 230));
    shine.setColorAt(0.6, QColor(20, 110, 150));
    shine.setColorAt(1.0, QColor(10, 40, 70));
    painter.setBrush(shine);
    painter.setPen(QPen(QColor(230, 240, 245), size / 32.0 + 0.5));
    painter.drawEllipse(disc);
    painter.setBrush(QColor(235, 245, 250));
    painter.setPen(Qt::NoPen);
    qreal hole = size * 0.12;
    painter.drawEllipse(disc.center(), hole, hole);
    // The letter as two bars: a font here would load a whole bold CJK face at start.
    painter.setBrush(QColor(255, 255, 255));
    const qreal stroke = qMax(1.0, size * 0.075);
    const QPointF top(size * 0.31, size * 0.19);
    painter.drawRect(QRectF(top.x() - size * 0.14, top.y(), size * 0.28, stroke));
    painter.drawRect(QRectF(top.x() - stroke / 2, top.y(), stroke, size * 0.29));
    return pixmap;
}

} // namespace

QPixmap AppIconPixmap(int size)
{
    return DrawIcon(size);
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

} // namespace tolvane
