// The rectangular extra skins: Ocean (JPEG) and Amber (8-bit BMP).

#include "resources.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace resources {

namespace {

// Rolling swell lines over an area, lighter at each crest.
void swell(QPainter& p, const QRectF& area, int count, double spacing, double phase0,
           double strength)
{
    p.save();
    p.setClipRect(area);
    for (int i = 0; i < count; ++i) {
        const double base = area.top() + 10 + i * spacing;
        const double amp = 6 + (i % 4) * 2.5;
        const double ph = phase0 + i * 0.9;
        auto y = [&](double x) {
            return base + amp * std::sin(x / 61.0 + ph) + 3.5 * std::sin(x / 23.0 + ph * 2);
        };
        QPainterPath line;
        line.moveTo(area.left() - 6, y(area.left() - 6));
        for (double x = area.left() - 6; x <= area.right() + 6; x += 4)
            line.lineTo(x, y(x));
        QPainterPath band = line;
        band.lineTo(area.right() + 6, base + 40);
        band.lineTo(area.left() - 6, base + 40);
        band.closeSubpath();
        QLinearGradient wg(0, base - amp, 0, base + 24);
        wg.setColorAt(0, QColor(140, 230, 250, int(26 * strength)));
        wg.setColorAt(0.15, QColor(90, 200, 240, int(12 * strength)));
        wg.setColorAt(1, QColor(0, 40, 80, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(wg);
        p.drawPath(band);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(190, 240, 255, int(34 * strength)), 1));
        p.drawPath(line);
    }
    p.restore();
}

} // namespace

QImage makeOcean()
{
    Theme t;
    t.well = QColor(4, 22, 38);
    t.key0 = QColor(168, 204, 220);
    t.key1 = QColor(96, 142, 168);
    t.slot0 = QColor(24, 64, 94);
    t.slot1 = QColor(56, 102, 134);
    t.lcd0 = QColor(10, 30, 54);
    t.lcd1 = QColor(4, 14, 30);
    t.lcdInk = QColor(120, 214, 236, 150);
    t.glass0 = QColor(4, 44, 74);
    t.glass1 = QColor(1, 12, 28);
    t.glassGlow = QColor(60, 206, 236);
    t.bezel0 = QColor(150, 196, 220);
    t.bezel1 = QColor(16, 56, 86);
    t.panel0 = QColor(58, 126, 166);
    t.panel1 = QColor(18, 66, 104);
    t.engrave = QColor(200, 236, 248);
    t.plate0 = QColor(232, 240, 244);
    t.plate1 = QColor(168, 196, 212);
    t.plateInk = QColor(16, 58, 92);
    t.accent = QColor(40, 224, 232);
    t.screw = QColor(176, 204, 218);

    t.panelSurface = [](QImage& img, const QRect& r) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient lg(r.topLeft(), r.bottomLeft());
        lg.setColorAt(0, QColor(46, 122, 164));
        lg.setColorAt(1, QColor(12, 58, 98));
        p.fillRect(r, lg);
        swell(p, QRectF(r), 14, 22.0, 1.7, 1.4);
        p.end();
        grain(img, r, 2003, 2.0);
    };

    QImage img(kSkinW, kSkinH, QImage::Format_RGB32);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient lg(0, 0, 0, kSkinH);
        lg.setColorAt(0.0, QColor(18, 88, 132));
        lg.setColorAt(0.5, QColor(10, 58, 100));
        lg.setColorAt(1.0, QColor(4, 26, 58));
        p.fillRect(img.rect(), lg);
        swell(p, QRectF(img.rect()), 16, 24.0, 0.9, 1.3);
        // Title band: a breaking wave, light water above a curling crest.
        QPainterPath crest;
        auto crestY = [](double x) {
            return 27 + 5 * std::sin(x / 47.0 + 0.6) + 2.5 * std::sin(x / 13.0);
        };
        crest.moveTo(-2, 0);
        crest.lineTo(kSkinW + 2, 0);
        for (int x = kSkinW + 2; x >= -2; x -= 2)
            crest.lineTo(x, crestY(x));
        crest.closeSubpath();
        QLinearGradient tg(0, 0, 0, 34);
        tg.setColorAt(0, QColor(96, 196, 224));
        tg.setColorAt(0.6, QColor(40, 140, 186));
        tg.setColorAt(1, QColor(22, 104, 150));
        p.setPen(Qt::NoPen);
        p.setBrush(tg);
        p.drawPath(crest);
        QPainterPath foam;
        foam.moveTo(-2, crestY(-2));
        for (int x = 0; x <= kSkinW + 2; x += 2)
            foam.lineTo(x, crestY(x));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(230, 250, 255, 150), 1.6));
        p.drawPath(foam);
        p.setPen(QPen(QColor(0, 30, 60, 90), 2.0));
        p.drawPath(foam.translated(0, 2));
        QRadialGradient light(QPointF(160, -60), 560);
        light.setColorAt(0, QColor(255, 255, 255, 40));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(img.rect(), light);
    }
    grain(img, img.rect(), 2001, 2.5);
    glowLine(img, 36, 8, kSkinW - 8, t.accent);
    {
        // Bubbles rising in the title band.
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Rng r(2002);
        for (int i = 0; i < 22; ++i) {
            const double x = 320 + r.uni() * 180, y = 8 + r.uni() * 22, rad = 1.2 + r.uni() * 2.8;
            QRadialGradient bg(QPointF(x - rad * 0.3, y - rad * 0.3), rad * 1.2);
            bg.setColorAt(0, QColor(255, 255, 255, 110));
            bg.setColorAt(0.6, QColor(160, 230, 250, 40));
            bg.setColorAt(1, QColor(160, 230, 250, 0));
            p.setPen(QPen(QColor(200, 245, 255, 70), 0.6));
            p.setBrush(bg);
            p.drawEllipse(QPointF(x, y), rad, rad);
        }
    }
    drawFace(img, t, 2100);
    outerFrame(img, QColor(170, 220, 240), QColor(2, 12, 26));
    return img;
}

QImage makeAmber()
{
    Theme t;
    t.well = QColor(22, 13, 8);
    t.key0 = QColor(206, 160, 112);
    t.key1 = QColor(136, 90, 56);
    t.slot0 = QColor(58, 36, 24);
    t.slot1 = QColor(98, 66, 44);
    t.lcd0 = QColor(10, 16, 32);
    t.lcd1 = QColor(4, 6, 14);
    t.lcdInk = QColor(255, 168, 80, 150);
    t.glass0 = QColor(34, 18, 8);
    t.glass1 = QColor(8, 4, 2);
    t.glassGlow = QColor(255, 150, 60);
    t.bezel0 = QColor(208, 150, 96);
    t.bezel1 = QColor(58, 32, 18);
    t.panel0 = QColor(112, 72, 46);
    t.panel1 = QColor(58, 35, 22);
    t.engrave = QColor(240, 204, 164);
    t.plate0 = QColor(232, 194, 146);
    t.plate1 = QColor(168, 118, 74);
    t.plateInk = QColor(66, 34, 14);
    t.accent = QColor(255, 142, 40);
    t.screw = QColor(206, 166, 124);

    QImage img(kSkinW, kSkinH, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QLinearGradient lg(0, 0, 0, kSkinH);
        lg.setColorAt(0.0, QColor(96, 60, 38));
        lg.setColorAt(0.45, QColor(62, 38, 25));
        lg.setColorAt(1.0, QColor(30, 18, 12));
        p.fillRect(img.rect(), lg);
        QLinearGradient tg(0, 0, 0, 36);
        tg.setColorAt(0, QColor(176, 118, 74));
        tg.setColorAt(1, QColor(112, 70, 44));
        p.fillRect(QRect(0, 0, kSkinW, 36), tg);
    }
    brush(img, img.rect(), 3001, 2.4, 36);
    {
        QPainter p(&img);
        QRadialGradient light(QPointF(100, -40), 520);
        light.setColorAt(0, QColor(255, 220, 180, 40));
        light.setColorAt(1, QColor(255, 220, 180, 0));
        p.fillRect(img.rect(), light);
        p.setPen(QPen(QColor(0, 0, 0, 120), 1));
        p.drawLine(QPointF(0, 35.5), QPointF(kSkinW, 35.5));
    }
    glowLine(img, 36, 8, kSkinW - 8, t.accent);
    titleDetails(img, t, 330, 500, 13, 12);
    drawFace(img, t, 3100);
    outerFrame(img, QColor(230, 190, 150), QColor(14, 8, 4));
    return img;
}

} // namespace resources
