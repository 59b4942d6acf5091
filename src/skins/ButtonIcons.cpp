#include "skins/ButtonIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace tolvane {

namespace {

const QColor kInk(236, 242, 248);

QPolygonF Triangle(qreal x, qreal y, qreal w, qreal h, bool right)
{
    if (right)
        return QPolygonF({QPointF(x, y), QPointF(x + w, y + h / 2), QPointF(x, y + h)});
    return QPolygonF({QPointF(x + w, y), QPointF(x, y + h / 2), QPointF(x + w, y + h)});
}

// Draws on a square of side s; each icon keeps a margin so it sits well on its face.
void DrawControl(QPainter& p, int index, qreal s)
{
    qreal m = s * 0.18;
    qreal w = s - 2 * m;
    switch (index) {
    case 0: // play
        p.drawPolygon(Triangle(m + w * 0.15, m, w * 0.8, w, true));
        break;
    case 1: // stop
        p.drawRect(QRectF(m + w * 0.1, m + w * 0.1, w * 0.8, w * 0.8));
        break;
    case 2: // back
        p.drawPolygon(Triangle(m, m + w * 0.15, w / 2, w * 0.7, false));
        p.drawPolygon(Triangle(m + w / 2, m + w * 0.15, w / 2, w * 0.7, false));
        break;
    case 5: // forward
        p.drawPolygon(Triangle(m, m + w * 0.15, w / 2, w * 0.7, true));
        p.drawPolygon(Triangle(m + w / 2, m + w * 0.15, w / 2, w * 0.7, true));
        break;
    case 3: // quieter
        p.drawRect(QRectF(m, m + w * 0.42, w, w * 0.16));
        break;
    case 4: // louder
        p.drawRect(QRectF(m, m + w * 0.42, w, w * 0.16));
        p.drawRect(QRectF(m + w * 0.42, m, w * 0.16, w));
        break;
    case 6: // capture: a frame with a lens
        p.drawRect(QRectF(m, m + w * 0.25, w, w * 0.6));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 50, 60), s * 0.06));
        p.drawEllipse(QPointF(s / 2, m + w * 0.55), w * 0.18, w * 0.18);
        break;
    case 7: // eject
        p.drawPolygon(Triangle(m, m, w, w * 0.55, true).translated(0, 0));
        p.drawPolygon(QPolygonF(
            {QPointF(m, m + w * 0.55), QPointF(m + w / 2, m), QPointF(m + w, m + w * 0.55)}));
        p.drawRect(QRectF(m, m + w * 0.72, w, w * 0.18));
        break;
    case 8: { // exit
        QPen pen(kInk, s * 0.13, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(m, m), QPointF(s - m, s - m));
        p.drawLine(QPointF(s - m, m), QPointF(m, s - m));
        break;
    }
    case 10: // previous
        p.drawRect(QRectF(m, m + w * 0.1, w * 0.14, w * 0.8));
        p.drawPolygon(Triangle(m + w * 0.2, m + w * 0.1, w * 0.8, w * 0.8, false));
        break;
    case 11: // next
        p.drawPolygon(Triangle(m, m + w * 0.1, w * 0.8, w * 0.8, true));
        p.drawRect(QRectF(m + w * 0.86, m + w * 0.1, w * 0.14, w * 0.8));
        break;
    case 12: // hide the panel
        p.drawRect(QRectF(m, m + w * 0.75, w, w * 0.2));
        break;
    default: // track and knob carry no icon
        break;
    }
}

void DrawFunction(QPainter& p, int index, qreal s)
{
    qreal m = s * 0.16;
    qreal w = s - 2 * m;
    switch (index) {
    case 0: // open the disc
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, s * 0.09));
        p.drawEllipse(QRectF(m, m, w, w));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(s / 2, s / 2), w * 0.12, w * 0.12);
        break;
    case 1: // enlarge the video window
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, s * 0.09));
        p.drawRect(QRectF(m, m + w * 0.15, w, w * 0.7));
        p.setBrush(kInk);
        p.drawPolygon(Triangle(m + w * 0.35, m + w * 0.32, w * 0.36, w * 0.36, true));
        break;
    case 2: // change skin
        p.drawRoundedRect(QRectF(m, m + w * 0.1, w, w * 0.8), s * 0.12, s * 0.12);
        p.setBrush(QColor(70, 140, 190));
        p.drawEllipse(QRectF(m + w * 0.2, m + w * 0.3, w * 0.3, w * 0.3));
        break;
    case 3: { // settings: a cog
        p.drawEllipse(QPointF(s / 2, s / 2), w * 0.32, w * 0.32);
        QPen pen(kInk, s * 0.12, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(s / 2, s / 2);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(-w / 2, 0), QPointF(w / 2, 0));
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 70, 80));
        p.drawEllipse(QPointF(s / 2, s / 2), w * 0.12, w * 0.12);
        break;
    }
    case 4: // button colours: three dots of a palette
        p.setBrush(QColor(230, 90, 80));
        p.drawEllipse(QPointF(m + w * 0.25, m + w * 0.35), w * 0.2, w * 0.2);
        p.setBrush(QColor(110, 200, 110));
        p.drawEllipse(QPointF(m + w * 0.75, m + w * 0.35), w * 0.2, w * 0.2);
        p.setBrush(QColor(90, 150, 235));
        p.drawEllipse(QPointF(s / 2, m + w * 0.78), w * 0.2, w * 0.2);
        break;
    default:
        break;
    }
}

QPixmap Draw(int height, const std::function<void(QPainter&, qreal)>& draw)
{
    int side = qMax(6, height);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // A soft shadow first, so the icon reads on light and dark faces alike.
    painter.save();
    painter.translate(0.8, 0.8);
    painter.setOpacity(0.45);
    painter.setBrush(QColor(0, 0, 0));
    draw(painter, side);
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    draw(painter, side);
    return pixmap;
}

} // namespace

QPixmap ButtonIcons::ControlIcon(int index, int height)
{
    return Draw(height, [index](QPainter& p, qreal s) { DrawControl(p, index, s); });
}

QPixmap ButtonIcons::PauseIcon(int height)
{
    return Draw(height, [](QPainter& p, qreal s) {
        const qreal m = s * 0.18;
        const qreal w = s - 2 * m;
        p.drawRect(QRectF(m + w * 0.12, m, w * 0.26, w));
        p.drawRect(QRectF(m + w * 0.62, m, w * 0.26, w));
    });
}

QPixmap ButtonIcons::FunctionIcon(int index, int height)
{
    return Draw(height, [index](QPainter& p, qreal s) { DrawFunction(p, index, s); });
}

QImage ButtonIcons::BuiltInMask(QSize size)
{
    QImage mask(size.expandedTo(QSize(2, 2)), QImage::Format_RGB32);
    mask.fill(Qt::black);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF rect = QRectF(mask.rect()).adjusted(1, 1, -1, -1);
    qreal radius = qMin(rect.width(), rect.height()) * 0.25;
    // Lighter towards the top-left, darker towards the bottom-right: a raised face.
    QLinearGradient relief(rect.topLeft(), rect.bottomLeft());
    relief.setColorAt(0.0, QColor(190, 190, 190));
    relief.setColorAt(0.45, QColor(132, 132, 132));
    relief.setColorAt(1.0, QColor(92, 92, 92));
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(relief);
    painter.drawRoundedRect(rect, radius, radius);
    painter.end();
    // The outside must be exactly the top-left colour; no smoothing may touch it.
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            QRgb pixel = mask.pixel(x, y);
            if (pixel != qRgb(0, 0, 0) && qGray(pixel) < 8)
                mask.setPixel(x, y, qRgb(8, 8, 8));
        }
    }
    return mask;
}

QImage ButtonIcons::PointerIcon()
{
    QImage icon(24, 24, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(6, 10, 12, 12), 4, 4);
    hand.addRoundedRect(QRectF(7, 1, 5, 13), 2.5, 2.5);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand.simplified());
    return icon;
}

QImage ButtonIcons::PickPointer()
{
    QImage icon(24, 24, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(kPickTipX, kPickTipY);
    painter.rotate(-45);
    // The glass tube from the tip up, then the bulb.
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(1, -2.5, 17, 5), 1.5, 1.5);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRoundedRect(QRectF(17, -4, 8, 8), 3, 3);
    return icon;
}

} // namespace tolvane
