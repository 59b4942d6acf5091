// The shaped extra skin, Jade (GIF): carved stone in a gold trim.

#include "resources.h"

#include <QLinearGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace resources {

namespace {

// Value noise on a lattice, smoothly interpolated; used for stone veins and
// water.
struct ValueNoise
{
    int gw, gh;
    std::vector<double> v;
    ValueNoise(int w, int h, uint32_t seed) : gw(w), gh(h), v(static_cast<size_t>(w) * h)
    {
        Rng r(seed);
        for (auto& x : v)
            x = r.uni();
    }
    double at(int x, int y) const
    {
        x = ((x % gw) + gw) % gw;
        y = ((y % gh) + gh) % gh;
        return v[static_cast<size_t>(y) * gw + x];
    }
    double sample(double x, double y) const
    {
        int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        double fx = x - x0, fy = y - y0;
        fx = fx * fx * (3 - 2 * fx);
        fy = fy * fy * (3 - 2 * fy);
        double a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
    }
    double fbm(double x, double y, int octaves) const
    {
        double sum = 0, amp = 0.5, norm = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += amp * sample(x, y);
            norm += amp;
            x *= 2.03;
            y *= 2.03;
            amp *= 0.5;
        }
        return sum / norm;
    }
};

// Jade stone: cloudy green between two tones with pale veins, scaled by a
// lighting term per pixel.
void jadeStone(QImage& img, const QRect& area, uint32_t seed, const QColor& deep,
               const QColor& pale, const std::function<double(int, int)>& light)
{
    ValueNoise cloud(64, 64, seed), vein(64, 64, seed + 1), fleck(128, 128, seed + 2);
    const QColor veinC(206, 238, 214);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double n = cloud.fbm(x / 70.0, y / 55.0, 5);
            const double v = vein.fbm(x / 95.0 + n * 0.8, y / 80.0, 4);
            const double vl = std::pow(std::max(0.0, 1.0 - std::abs(v - 0.5) * 14.0), 2.0);
            const double f = fleck.sample(x / 2.5, y / 2.5);
            QColor c = mix(deep, pale, std::clamp((n - 0.3) * 1.7, 0.0, 1.0));
            c = mix(c, veinC, vl * 0.45);
            const double l = light(x, y) + (f - 0.5) * 0.05;
            line[x] = qRgb(clamp255(c.red() * l), clamp255(c.green() * l), clamp255(c.blue() * l));
        }
    }
}

QPainterPath jadeOutline()
{
    QPainterPath body;
    body.moveTo(6, 34);
    body.cubicTo(6, 12, 13, 3, 34, 3);
    body.lineTo(168, 3);
    body.cubicTo(212, 3, 226, 26, 274, 26);
    body.cubicTo(322, 26, 338, 3, 384, 3);
    body.lineTo(540, 3);
    body.cubicTo(563, 3, 572, 11, 572, 34);
    body.lineTo(572, 300);
    body.lineTo(540, 360);
    body.lineTo(330, 360);
    body.cubicTo(292, 360, 268, 374, 214, 374);
    body.cubicTo(160, 374, 138, 360, 96, 360);
    body.lineTo(48, 360);
    body.cubicTo(20, 360, 8, 348, 8, 322);
    body.cubicTo(8, 262, 3, 236, 3, 190);
    body.cubicTo(3, 140, 6, 100, 6, 34);
    body.closeSubpath();
    QPainterPath disc;
    disc.addEllipse(QPointF(552, 326), 48, 48);
    return body.united(disc).simplified();
}

} // namespace

QImage makeJade(std::vector<bool>& keep)
{
    Theme t;
    t.well = QColor(8, 38, 27);
    t.key0 = QColor(172, 212, 182);
    t.key1 = QColor(96, 146, 116);
    t.slot0 = QColor(28, 68, 50);
    t.slot1 = QColor(58, 104, 80);
    t.lcd0 = QColor(12, 26, 20);
    t.lcd1 = QColor(4, 10, 8);
    t.lcdInk = QColor(140, 232, 182, 150);
    t.glass0 = QColor(6, 36, 27);
    t.glass1 = QColor(2, 12, 9);
    t.glassGlow = QColor(90, 222, 160);
    t.bezel0 = QColor(226, 194, 112);
    t.bezel1 = QColor(92, 64, 20);
    t.panel0 = QColor(62, 134, 100);
    t.panel1 = QColor(26, 78, 56);
    t.engrave = QColor(214, 238, 218);
    t.plate0 = QColor(240, 212, 130);
    t.plate1 = QColor(176, 134, 52);
    t.plateInk = QColor(72, 46, 10);
    t.accent = QColor(84, 232, 152);
    t.screw = QColor(214, 184, 104);

    const QPainterPath outline = jadeOutline();

    // Coverage of the outline; a pixel belongs to the window when at least
    // half of it is covered.
    QImage cover(kJadeW, kJadeH, QImage::Format_Grayscale8);
    cover.fill(0);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(outline);
    }
    keep.assign(size_t(kJadeW) * kJadeH, false);
    for (int y = 0; y < kJadeH; ++y)
        for (int x = 0; x < kJadeW; ++x)
            keep[size_t(y) * kJadeW + x] = cover.constScanLine(y)[x] >= 128;

    // Distance to the edge (chamfer), for the rounded, pebble-like shading.
    std::vector<double> dist(size_t(kJadeW) * kJadeH, 0);
    for (size_t i = 0; i < dist.size(); ++i)
        dist[i] = keep[i] ? 1e9 : 0;
    auto at = [&](int x, int y) -> double& { return dist[size_t(y) * kJadeW + x]; };
    for (int y = 0; y < kJadeH; ++y)
        for (int x = 0; x < kJadeW; ++x) {
            double& d = at(x, y);
            if (d == 0)
                continue;
            if (x == 0 || y == 0 || x == kJadeW - 1 || y == kJadeH - 1)
                d = std::min(d, 1.0);
            if (x > 0)
                d = std::min(d, at(x - 1, y) + 1);
            if (y > 0)
                d = std::min(d, at(x, y - 1) + 1);
            if (x > 0 && y > 0)
                d = std::min(d, at(x - 1, y - 1) + 1.414);
            if (x + 1 < kJadeW && y > 0)
                d = std::min(d, at(x + 1, y - 1) + 1.414);
        }
    for (int y = kJadeH - 1; y >= 0; --y)
        for (int x = kJadeW - 1; x >= 0; --x) {
            double& d = at(x, y);
            if (d == 0)
                continue;
            if (x + 1 < kJadeW)
                d = std::min(d, at(x + 1, y) + 1);
            if (y + 1 < kJadeH)
                d = std::min(d, at(x, y + 1) + 1);
            if (x + 1 < kJadeW && y + 1 < kJadeH)
                d = std::min(d, at(x + 1, y + 1) + 1.414);
            if (x > 0 && y + 1 < kJadeH)
                d = std::min(d, at(x - 1, y + 1) + 1.414);
        }

    // Stone: cloudy green with pale veins, lit from the upper left, darker
    // towards the rim.
    QImage img(kJadeW, kJadeH, QImage::Format_RGB32);
    jadeStone(img, img.rect(), 4001, QColor(14, 72, 50), QColor(104, 178, 132), [&](int x, int y) {
        const double rim = std::clamp(at(x, y) / 16.0, 0.0, 1.0);
        const double light = 0.80 + 0.30 * (1.0 - (x + y * 1.3) / double(kJadeW + kJadeH * 1.3));
        return light * (0.55 + 0.45 * std::sqrt(rim));
    });
    t.panelSurface = [](QImage& surf, const QRect& r) {
        jadeStone(surf, r, 4201, QColor(40, 116, 84), QColor(150, 210, 170),
                  [&](int, int y) { return 1.02 - 0.22 * (y - r.top()) / double(r.height()); });
    };
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Carved rings on the disc.
        const QPointF dc(552, 326);
        for (double rr : {40.0, 31.0}) {
            p.setPen(QPen(QColor(0, 30, 18, 110), 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(dc, rr, rr);
            p.setPen(QPen(QColor(220, 250, 230, 70), 1));
            p.drawEllipse(dc + QPointF(0.6, 0.8), rr, rr);
        }
        // Title band: a faint carved cloud scroll behind the vents.
        QPainterPath scroll;
        scroll.moveTo(170, 16);
        scroll.cubicTo(190, 6, 206, 22, 190, 24);
        scroll.cubicTo(178, 25, 180, 14, 188, 15);
        p.setPen(QPen(QColor(0, 34, 20, 90), 1.4));
        p.drawPath(scroll);
        p.drawPath(QTransform(-1, 0, 0, 1, 548 + 0, 0).map(scroll));
    }
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 40, 24, 130), 1));
        p.drawLine(QPointF(22, 35.5), QPointF(250, 35.5));
        p.drawLine(QPointF(300, 35.5), QPointF(556, 35.5));
        p.setPen(QPen(QColor(210, 250, 225, 60), 1));
        p.drawLine(QPointF(22, 36.5), QPointF(250, 36.5));
        p.drawLine(QPointF(300, 36.5), QPointF(556, 36.5));
    }
    drawFace(img, t, 4100);
    {
        // Gold trim following the outline, dark at the very edge.
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gold(0, 0, kJadeW, kJadeH);
        gold.setColorAt(0.0, QColor(250, 226, 150));
        gold.setColorAt(0.5, QColor(196, 150, 60));
        gold.setColorAt(1.0, QColor(120, 84, 24));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QBrush(gold), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(outline);
        p.setPen(QPen(QColor(255, 244, 200, 150), 1.0));
        p.drawPath(outline.translated(0.8, 1.0));
        p.setPen(QPen(QColor(40, 26, 6), 2.2));
        p.drawPath(outline);
    }
    // Edge pixels that are only partly covered lean towards the dark edge
    // colour; the rest of the surround becomes the exact key colour.
    for (int y = 0; y < kJadeH; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kJadeW; ++x) {
            const size_t i = size_t(y) * kJadeW + x;
            if (!keep[i]) {
                line[x] = kJadeSurround;
                continue;
            }
            const double cov = cover.constScanLine(y)[x] / 255.0;
            if (cov < 1.0) {
                QColor c = mix(QColor(line[x]), QColor(40, 26, 6), (1.0 - cov) * 1.6);
                line[x] = c.rgb();
            }
        }
    }
    if (!layoutInside(keep, kJadeW))
        std::exit(1);
    return img;
}

} // namespace resources
