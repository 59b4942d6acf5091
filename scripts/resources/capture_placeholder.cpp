// Default capture picture: a quiet placeholder until the first frame is grabbed.

#include "resources.h"

#include <QLinearGradient>

namespace resources {

QImage makeCutPlaceholder()
{
    const int w = 176, h = 121;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient lg(0, 0, 0, h);
    lg.setColorAt(0, QColor(112, 116, 122));
    lg.setColorAt(1, QColor(70, 73, 78));
    p.fillRect(img.rect(), lg);
    // A film frame with sprocket holes.
    const QRectF film(34, 24, 108, 66);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 38, 42));
    p.drawRoundedRect(film, 5, 5);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(QColor(120, 124, 130));
        p.drawRoundedRect(QRectF(film.left() + 6 + i * 11.2, film.top() + 3, 6, 5), 1.2, 1.2);
        p.drawRoundedRect(QRectF(film.left() + 6 + i * 11.2, film.bottom() - 8, 6, 5), 1.2, 1.2);
    }
    const QRectF pic = film.adjusted(6, 11, -6, -11);
    QLinearGradient sky(pic.topLeft(), pic.bottomLeft());
    sky.setColorAt(0, QColor(150, 160, 172));
    sky.setColorAt(1, QColor(104, 110, 118));
    p.setBrush(sky);
    p.drawRect(pic);
    QPainterPath hills;
    hills.moveTo(pic.left(), pic.bottom());
    hills.lineTo(pic.left(), pic.bottom() - 12);
    hills.cubicTo(pic.left() + 25, pic.bottom() - 30, pic.left() + 45, pic.bottom() - 6,
                  pic.left() + 62, pic.bottom() - 18);
    hills.cubicTo(pic.left() + 78, pic.bottom() - 28, pic.right() - 6, pic.bottom() - 16,
                  pic.right(), pic.bottom() - 20);
    hills.lineTo(pic.right(), pic.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(78, 84, 90));
    p.drawPath(hills);
    p.setBrush(QColor(200, 204, 208));
    p.drawEllipse(QPointF(pic.right() - 18, pic.top() + 10), 5, 5);
    p.setFont(latinFont(10, QFont::Bold, true));
    p.setPen(QColor(196, 200, 206));
    p.drawText(QRectF(0, 96, w, 16), Qt::AlignCenter, QStringLiteral("Tolvane99  CUT-000"));
    p.end();
    grain(img, img.rect(), 5001, 1.5);
    return img;
}

} // namespace resources
