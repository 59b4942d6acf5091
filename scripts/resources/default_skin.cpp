// The default skin, Desk/Tolvan.JPG: dark brushed metal with a blue accent.

#include "resources.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace resources {

QImage makeTolvan()
{
    Theme t;
    t.well = QColor(20, 21, 25);
    t.key0 = QColor(152, 158, 168);
    t.key1 = QColor(102, 108, 118);
    t.slot0 = QColor(58, 62, 70);
    t.slot1 = QColor(92, 96, 106);
    t.lcd0 = QColor(20, 24, 28);
    t.lcd1 = QColor(6, 8, 10);
    t.lcdInk = QColor(96, 196, 235, 150);
    t.glass0 = QColor(12, 26, 46);
    t.glass1 = QColor(2, 6, 14);
    t.glassGlow = QColor(70, 150, 235);
    t.bezel0 = QColor(104, 110, 120);
    t.bezel1 = QColor(30, 32, 37);
    t.panel0 = QColor(94, 99, 108);
    t.panel1 = QColor(54, 57, 64);
    t.engrave = QColor(176, 184, 196);
    t.plate0 = QColor(206, 210, 216);
    t.plate1 = QColor(150, 155, 163);
    t.plateInk = QColor(46, 52, 62);
    t.accent = QColor(64, 170, 255);
    t.screw = QColor(150, 154, 162);

    QImage img(kSkinW, kSkinH, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QLinearGradient lg(0, 0, 0, kSkinH);
        lg.setColorAt(0.0, QColor(80, 84, 92));
        lg.setColorAt(0.45, QColor(52, 55, 61));
        lg.setColorAt(1.0, QColor(30, 31, 36));
        p.fillRect(img.rect(), lg);
        QLinearGradient tg(0, 0, 0, 36);
        tg.setColorAt(0, QColor(112, 117, 126));
        tg.setColorAt(1, QColor(70, 74, 82));
        p.fillRect(QRect(0, 0, kSkinW, 36), tg);
    }
    brush(img, img.rect(), 1001, 2.6, 44);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient light(QPointF(120, -40), 520);
        light.setColorAt(0, QColor(255, 255, 255, 34));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(img.rect(), light);
        p.setPen(QPen(QColor(0, 0, 0, 120), 1));
        p.drawLine(QPointF(0, 35.5), QPointF(kSkinW, 35.5));
    }
    glowLine(img, 36, 8, kSkinW - 8, t.accent);
    titleDetails(img, t, 330, 500, 13, 12);
    drawFace(img, t, 1100);
    outerFrame(img, QColor(170, 176, 186), QColor(8, 8, 10));
    return img;
}

} // namespace resources
