// The face every skin carries (screen, displays, button seats, captions,
// name plate) and the edges of the rectangular skins.

#include "resources.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cstdio>

namespace resources {

namespace {

// Picture area: dark glass with a sheen and a faint mark, shown whenever no
// background picture or video covers it.
void screen(QPainter& p, const Theme& t)
{
    const QRectF g = rectF(builtin::kPicture);
    recess(p, rectF(kScreenBezel), 9, QBrush(mix(t.bezel0, t.bezel1, 0.5)), 0.8);
    {
        // Bezel: a sloped frame lit from above.
        QLinearGradient lg(0, kScreenBezel.y, 0, kScreenBezel.y + kScreenBezel.h);
        lg.setColorAt(0, t.bezel0);
        lg.setColorAt(1, t.bezel1);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath frame = roundRect(rectF(kScreenBezel).adjusted(2, 2, -2, -2), 7);
        frame.addRoundedRect(g.adjusted(-1, -1, 1, 1), 3, 3);
        frame.setFillRule(Qt::OddEvenFill);
        p.setPen(Qt::NoPen);
        p.setBrush(lg);
        p.drawPath(frame);
        p.restore();
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient lg(g.topLeft(), g.bottomLeft());
    lg.setColorAt(0, t.glass0);
    lg.setColorAt(1, t.glass1);
    p.setPen(Qt::NoPen);
    p.setBrush(lg);
    p.drawRect(g);
    QRadialGradient glow(g.center() + QPointF(0, -20), g.width() * 0.6);
    glow.setColorAt(0, withAlpha(t.glassGlow, 46));
    glow.setColorAt(1, withAlpha(t.glassGlow, 0));
    p.setBrush(glow);
    p.drawRect(g);
    p.setClipRect(g);
    // Faint mark in the middle of the glass.
    const QPointF c = g.center() + QPointF(0, -14);
    p.setOpacity(0.22);
    logoMark(p, c, 30, t.glassGlow.lighter(130), t.glassGlow.darker(200), t.glassGlow.darker(400),
             t.glassGlow.lighter(150));
    p.setOpacity(1.0);
    p.setFont(latinFont(22, QFont::Bold, true));
    p.setPen(withAlpha(t.glassGlow.lighter(140), 62));
    p.drawText(QRectF(g.left(), c.y() + 34, g.width(), 30), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Tolvane99"));
    p.setFont(cjkFont(11, QFont::Normal));
    p.setPen(withAlpha(t.glassGlow.lighter(140), 48));
    p.drawText(QRectF(g.left(), c.y() + 62, g.width(), 20), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("影音光碟 · 音樂 · MP3"));
    // Diagonal reflection across the upper left of the glass.
    QPainterPath sheen;
    sheen.moveTo(g.topLeft());
    sheen.lineTo(g.left() + g.width() * 0.62, g.top());
    sheen.cubicTo(g.left() + g.width() * 0.45, g.top() + g.height() * 0.30,
                  g.left() + g.width() * 0.22, g.top() + g.height() * 0.42, g.left(),
                  g.top() + g.height() * 0.50);
    sheen.closeSubpath();
    QLinearGradient sg(g.topLeft(), g.topLeft() + QPointF(g.width() * 0.3, g.height() * 0.45));
    sg.setColorAt(0, QColor(255, 255, 255, 34));
    sg.setColorAt(1, QColor(255, 255, 255, 4));
    p.setBrush(sg);
    p.drawPath(sheen);
    // Inner edge shadow so the glass sits below the bezel.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 44), i * 1.5));
        p.drawRect(g.translated(i * 0.5, i * 0.6));
    }
    p.restore();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(g.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.restore();
}

// A display window (time or status): recessed, dark, a little glassy.
void lcd(QPainter& p, const Theme& t, const QRectF& r)
{
    QLinearGradient lg(r.topLeft(), r.bottomLeft());
    lg.setColorAt(0, t.lcd0);
    lg.setColorAt(1, t.lcd1);
    recess(p, r, 5, QBrush(lg), 1.0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(roundRect(r, 5));
    QLinearGradient gl(r.topLeft(), r.topLeft() + QPointF(0, r.height() * 0.5));
    gl.setColorAt(0, QColor(255, 255, 255, 18));
    gl.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gl);
    p.drawRect(QRectF(r.left(), r.top() + r.height() * 0.55, r.width(), r.height() * 0.45));
    p.restore();
}

// Socket and plain surface of one button.  The program cuts the surface out
// and shades it through the button mask, so the surface itself stays plain.
void buttonSeat(QPainter& p, const Theme& t, const Box& b, bool groove = false)
{
    const QRectF r = rectF(b);
    recess(p, r.adjusted(-2.5, -2.5, 2.5, 2.5), groove ? 6 : 5, QBrush(t.well), 1.0);
    QLinearGradient lg(r.topLeft(), r.bottomLeft());
    lg.setColorAt(0, groove ? t.slot0 : t.key0);
    lg.setColorAt(1, groove ? t.slot1 : t.key1);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(lg);
    p.drawRect(r);
    p.restore();
}

// Thin rule with a caption in the middle, between the button groups.
void divider(QPainter& p, const Theme& t, double y, const QString& caption)
{
    const QRectF band(kPanel.x + 8, y - 7, kPanel.w - 16, 14);
    QFont f = cjkFont(10, QFont::Bold);
    QFontMetricsF fm(f);
    const double tw = fm.horizontalAdvance(caption) + 14;
    const double cx = band.center().x();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (double x0 : {band.left(), cx + tw / 2}) {
        const double x1 = x0 == band.left() ? cx - tw / 2 : band.right();
        p.setPen(QPen(QColor(0, 0, 0, 110), 1));
        p.drawLine(QPointF(x0, y - 0.5), QPointF(x1, y - 0.5));
        p.setPen(QPen(QColor(255, 255, 255, 55), 1));
        p.drawLine(QPointF(x0, y + 0.5), QPointF(x1, y + 0.5));
    }
    p.restore();
    engraved(p, QRectF(cx - tw / 2, y - 8, tw, 16), Qt::AlignCenter, caption, f, t.engrave, 0.8);
}

void namePlate(QPainter& p, const Theme& t, uint32_t seed, QImage& img)
{
    const QRectF r = rectF(kNamePlate);
    QLinearGradient lg(r.topLeft(), r.bottomLeft());
    lg.setColorAt(0, t.plate0);
    lg.setColorAt(1, t.plate1);
    raised(p, r, 4, QBrush(lg), 1.0);
    p.end();
    brush(img, r.toRect().adjusted(2, 2, -2, -2), seed, 2.2, 18);
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (QPointF c : {r.topLeft() + QPointF(7, 7), r.topRight() + QPointF(-7, 7),
                      r.bottomLeft() + QPointF(7, -7), r.bottomRight() + QPointF(-7, -7)})
        screw(p, c, 2.6, t.screw, 35 + c.x() * 7);
    logoMark(p, QPointF(r.left() + 27, r.center().y()), 12, t.plateInk, t.accent.lighter(120),
             t.accent.darker(170), QColor(255, 255, 255, 230));
    engraved(p, QRectF(r.left() + 44, r.top() + 4, r.width() - 52, 24),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tolvane99"),
             latinFont(19, QFont::Black, true), t.plateInk, 1.0);
    engraved(p, QRectF(r.left() + 45, r.top() + 26, r.width() - 52, 14),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("多媒體播放器  V1.1"),
             cjkFont(10, QFont::Medium), withAlpha(t.plateInk, 210), 0.8);
}

} // namespace

// Everything that sits on top of a skin body: screen, displays, the seats of
// all buttons, captions and the name plate.  Positions come from the layout.
void drawFace(QImage& img, const Theme& t, uint32_t seed)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    if (t.panelPlate) {
        QLinearGradient lg(rectF(kPanel).topLeft(), rectF(kPanel).bottomLeft());
        lg.setColorAt(0, t.panel0);
        lg.setColorAt(1, t.panel1);
        raised(p, rectF(kPanel), 8, QBrush(lg), 0.9);
        p.end();
        if (t.panelSurface) {
            // Own surface inside the rounded plate, then the plate's edges again.
            QImage surf(img.size(), QImage::Format_RGB32);
            surf.fill(0);
            t.panelSurface(surf, rect(kPanel));
            QImage clip(img.size(), QImage::Format_Grayscale8);
            clip.fill(0);
            {
                QPainter cp(&clip);
                cp.setRenderHint(QPainter::Antialiasing);
                cp.setPen(Qt::NoPen);
                cp.setBrush(Qt::white);
                cp.drawPath(roundRect(rectF(kPanel).adjusted(1, 1, -1, -1), 7));
            }
            for (int y = kPanel.y; y < kPanel.y + kPanel.h; ++y) {
                QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
                const QRgb* src = reinterpret_cast<const QRgb*>(surf.constScanLine(y));
                const uchar* a = clip.constScanLine(y);
                for (int x = kPanel.x; x < kPanel.x + kPanel.w; ++x)
                    dst[x] = mix(QColor(dst[x]), QColor(src[x]), a[x] / 255.0).rgb();
            }
            p.begin(&img);
            raised(p, rectF(kPanel), 8, Qt::NoBrush, 0.9);
            p.end();
        } else {
            brush(img, rect(kPanel).adjusted(3, 3, -3, -3), seed + 7, 1.6, 30);
        }
        p.begin(&img);
        p.setRenderHint(QPainter::Antialiasing);
    }

    screen(p, t);

    // Status line and time display.
    lcd(p, t, rectF(kStatusLcd));
    lcd(p, t, rectF(kTimeLcd));
    {
        QFont f = cjkFont(9, QFont::Medium);
        p.setFont(f);
        p.setPen(t.lcdInk);
        p.drawText(QRectF(builtin::kTime[0].x, kTimeLcd.y + 4, 70, 12),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("播放時間"));
        p.drawText(QRectF(builtin::kTime[1].x, kTimeLcd.y + 4, 70, 12),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("總長度"));
        // A small lamp in the corner of the display.
        QPointF lamp(kTimeLcd.x + kTimeLcd.w - 12, kTimeLcd.y + 10);
        QRadialGradient rg(lamp, 5);
        rg.setColorAt(0, t.accent.lighter(160));
        rg.setColorAt(0.4, t.accent);
        rg.setColorAt(1, withAlpha(t.accent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(rg);
        p.drawEllipse(lamp, 5, 5);
    }

    // Position track.
    recess(p, rectF(kTrackGroove), 8, QBrush(t.well), 0.9);
    buttonSeat(p, t, builtin::kCtl[9], true);

    for (int i = 0; i < builtin::kCtlCount; ++i) {
        if (i == 6 || i == 9 || i == 13)
            continue; // 6 is never shown; 9 and 13 are the track
        buttonSeat(p, t, builtin::kCtl[i]);
    }
    for (const Box& b : builtin::kNum)
        buttonSeat(p, t, b);
    // The panel's function buttons; the fifth sits on the bare title band.
    for (int i = 0; i < builtin::kPanelButtons; ++i)
        buttonSeat(p, t, builtin::kButton[i]);

    divider(p, t, (builtin::kCtl[3].y + builtin::kCtl[3].h + builtin::kNum[0].y) / 2.0 + 0.5,
            QStringLiteral("選 曲"));
    divider(p, t, (builtin::kNum[5].y + builtin::kNum[5].h + builtin::kButton[0].y) / 2.0 + 0.5,
            QStringLiteral("功 能"));

    namePlate(p, t, seed + 11, img);
    p.end();
}

// Vent slots in the title band.
void titleDetails(QImage& img, const Theme& t, int x0, int x1, int y, int h)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int x = x0; x + 3 <= x1; x += 7)
        recess(p, QRectF(x, y, 3, h), 1.5, QBrush(t.well.darker(140)), 0.7);
    p.end();
}

bool layoutInside(const std::vector<bool>& keep, int w)
{
    auto inside = [&](const Box& b, int m) {
        for (int y = b.y - m; y < b.y + b.h + m; ++y)
            for (int x = b.x - m; x < b.x + b.w + m; ++x)
                if (!keep[size_t(y) * w + x])
                    return false;
        return true;
    };
    bool ok = true;
    // Buttons need their sockets around them; the logo label only its text.
    auto check = [&](const Box& b, const char* what, int i, int margin = 3) {
        if (!inside(b, margin)) {
            std::fprintf(stderr, "%s(%d) reaches outside the outline\n", what, i);
            ok = false;
        }
    };
    for (int i = 0; i < builtin::kCtlCount; ++i)
        check(builtin::kCtl[i], "PicCtl", i);
    for (int i = 0; i < builtin::kNumCount; ++i)
        check(builtin::kNum[i], "PicNum", i);
    for (int i = 0; i < builtin::kPanelButtons; ++i)
        check(builtin::kButton[i], "PicButton", i);
    for (int i = 0; i < builtin::kTimeCount; ++i)
        check(builtin::kTime[i], "Label2", i);
    check(builtin::kText, "Label1", 0);
    check(builtin::kLogo, "Label3", 0, 0);
    check(builtin::kPicture, "Image1", 0);
    return ok;
}

// Dark bevel around the whole picture so a rectangular skin has an edge.
void outerFrame(QImage& img, const QColor& light, const QColor& dark)
{
    QPainter p(&img);
    const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(dark, 1));
    p.drawRect(r);
    QLinearGradient lg(r.topLeft(), r.bottomRight());
    lg.setColorAt(0, light);
    lg.setColorAt(1, withAlpha(dark, 120));
    p.setPen(QPen(QBrush(lg), 1));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.end();
}

// Accent line under the title band, with a soft glow.
void glowLine(QImage& img, int y, int x0, int x1, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 3; i >= 1; --i) {
        p.setPen(QPen(withAlpha(c, 26 * (4 - i)), i * 2.2));
        p.drawLine(QPointF(x0, y + 0.5), QPointF(x1, y + 0.5));
    }
    QLinearGradient lg(x0, 0, x1, 0);
    lg.setColorAt(0, withAlpha(c, 0));
    lg.setColorAt(0.15, c.lighter(130));
    lg.setColorAt(0.85, c.lighter(130));
    lg.setColorAt(1, withAlpha(c, 0));
    p.setPen(QPen(QBrush(lg), 1));
    p.drawLine(QPointF(x0, y + 0.5), QPointF(x1, y + 0.5));
    p.end();
}

} // namespace resources
