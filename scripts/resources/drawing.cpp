// Colours and the drawing helpers every picture is made of.

#include "resources.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace resources {

int clamp255(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor(clamp255(a.red() + (b.red() - a.red()) * t),
                  clamp255(a.green() + (b.green() - a.green()) * t),
                  clamp255(a.blue() + (b.blue() - a.blue()) * t));
}

QColor withAlpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

// ---------------------------------------------------------------------------
// Drawing helpers.

QPainterPath roundRect(const QRectF& r, double rad)
{
    QPainterPath p;
    p.addRoundedRect(r, rad, rad);
    return p;
}

// A recess: fill, a soft inner shadow from the top-left and a lit lower lip.
void recess(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double depth)
{
    QPainterPath path = roundRect(r, rad);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Lower-right lip catches the light, upper-left edge falls into shade.
    QLinearGradient lip(r.topLeft(), r.bottomRight());
    lip.setColorAt(0.0, QColor(0, 0, 0, int(150 * depth)));
    lip.setColorAt(0.55, QColor(0, 0, 0, int(40 * depth)));
    lip.setColorAt(1.0, QColor(255, 255, 255, int(90 * depth)));
    p.setPen(QPen(QBrush(lip), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(r.adjusted(-1, -1, 1, 1), rad + 1));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.setClipPath(path);
    p.setBrush(Qt::NoBrush);
    for (int i = 3; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, int(48 * depth)), i * 1.6));
        p.drawPath(path.translated(i * 0.8, i * 0.9));
    }
    p.restore();
}

// A raised plate: gradient fill, light top-left edge, dark bottom-right edge.
void raised(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double strength)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, int(110 * strength)), 1.2));
    p.setBrush(fill);
    p.drawPath(roundRect(r, rad));
    QLinearGradient edge(r.topLeft(), r.bottomRight());
    edge.setColorAt(0.0, QColor(255, 255, 255, int(130 * strength)));
    edge.setColorAt(0.5, QColor(255, 255, 255, int(20 * strength)));
    edge.setColorAt(1.0, QColor(0, 0, 0, int(90 * strength)));
    p.setPen(QPen(QBrush(edge), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(r.adjusted(1, 1, -1, -1), std::max(0.0, rad - 1)));
    p.restore();
}

void screw(QPainter& p, QPointF c, double r, const QColor& metal, double angleDeg)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(0.6, 0.8), r + 0.8, r + 0.8);
    QRadialGradient g(c - QPointF(r * 0.4, r * 0.5), r * 1.6);
    g.setColorAt(0.0, metal.lighter(170));
    g.setColorAt(0.5, metal);
    g.setColorAt(1.0, metal.darker(220));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.translate(c);
    p.rotate(angleDeg);
    p.setPen(QPen(metal.darker(300), r * 0.38, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-r * 0.65, 0), QPointF(r * 0.65, 0));
    p.setPen(QPen(QColor(255, 255, 255, 70), r * 0.18, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-r * 0.6, r * 0.28), QPointF(r * 0.6, r * 0.28));
    p.restore();
}

QFont latinFont(double px, int weight, bool italic)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont cjkFont(double px, int weight)
{
    QFont f("Noto Sans CJK TC");
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setWeight(QFont::Weight(weight));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Text cut into a surface: dark upper edge, light lower edge.
void engraved(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& f,
              const QColor& ink, double depth)
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, int(70 * depth)));
    p.drawText(r.translated(0, 1), flags, text);
    p.setPen(QColor(0, 0, 0, int(150 * depth)));
    p.drawText(r.translated(0, -0.7), flags, text);
    p.setPen(ink);
    p.drawText(r, flags, text);
    p.restore();
}

// Horizontal brushed-metal grain over a region, added to what is there.
void brush(QImage& img, const QRect& area, uint32_t seed, double strength, int streak)
{
    Rng rng(seed);
    const QRect a = area.intersected(img.rect());
    std::vector<double> row(size_t(a.width()) + streak * 2);
    std::vector<double> pref(row.size() + 1);
    double slow = 0;
    for (int y = a.top(); y <= a.bottom(); ++y) {
        slow = slow * 0.8 + rng.sym() * 0.5; // neighbouring rows stay related
        for (auto& v : row)
            v = rng.sym();
        pref[0] = 0;
        for (size_t i = 0; i < row.size(); ++i)
            pref[i + 1] = pref[i] + row[i];
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            double avg = (pref[size_t(x) + 2 * streak] - pref[size_t(x)]) / (2.0 * streak);
            double d = (avg * 3.2 + slow * 0.35 + rng.sym() * 0.18) * strength;
            QRgb& c = line[a.left() + x];
            c = qRgb(clamp255(qRed(c) + d), clamp255(qGreen(c) + d), clamp255(qBlue(c) + d));
        }
    }
}

// Fine grain so large fills do not look flat or band in JPEG.
void grain(QImage& img, const QRect& area, uint32_t seed, double strength)
{
    Rng rng(seed);
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = a.left(); x <= a.right(); ++x) {
            double d = rng.sym() * strength;
            QRgb& c = line[x];
            c = qRgb(clamp255(qRed(c) + d), clamp255(qGreen(c) + d), clamp255(qBlue(c) + d));
        }
    }
}

// The program's logo mark: a disc with a play triangle.
void logoMark(QPainter& p, QPointF c, double r, const QColor& ring, const QColor& fillTop,
              const QColor& fillBottom, const QColor& glyph)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawEllipse(c + QPointF(0.8, 1.0), r + 0.6, r + 0.6);
    QLinearGradient g(c - QPointF(0, r), c + QPointF(0, r));
    g.setColorAt(0, fillTop);
    g.setColorAt(1, fillBottom);
    p.setBrush(g);
    p.setPen(QPen(ring, std::max(1.0, r * 0.12)));
    p.drawEllipse(c, r, r);
    QPainterPath tri;
    tri.moveTo(c + QPointF(-r * 0.30, -r * 0.42));
    tri.lineTo(c + QPointF(r * 0.45, 0));
    tri.lineTo(c + QPointF(-r * 0.30, r * 0.42));
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    p.drawPath(tri);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QRectF(c.x() - r * 0.7, c.y() - r * 0.85, r * 1.4, r * 0.8));
    p.restore();
}

} // namespace resources
