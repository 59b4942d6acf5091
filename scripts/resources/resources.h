// What the resource generator's files share: the built-in layout the skins
// are drawn for, the drawing helpers, and the pictures and documents that
// main() writes.

#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>

#include "forms/BuiltInLayout.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace resources {

// ---------------------------------------------------------------------------
// The main window's built-in layout, in skin pixels: the program's own table.
// Every skin drawn here leaves room for its objects, since the program cuts
// the button faces from those places.

using Box = tolvane::LayoutBox;
namespace builtin = tolvane::builtin;

inline QRectF rectF(const Box& b)
{
    return QRectF(b.x, b.y, b.w, b.h);
}
inline QRect rect(const Box& b)
{
    return QRect(b.x, b.y, b.w, b.h);
}

constexpr int kSkinW = builtin::kFaceW;
constexpr int kSkinH = builtin::kFaceH;

// Surroundings drawn around the objects above.
constexpr Box kScreenBezel = {16, 38, 364, 252};
constexpr Box kStatusLcd = {16, 292, 364, 26};
constexpr Box kTrackGroove = {16, 322, 364, 22};
constexpr Box kPanel = {382, 38, 180, 310};
constexpr Box kTimeLcd = {388, 44, 168, 56};
constexpr Box kNamePlate = {388, 298, 168, 44};

// ---------------------------------------------------------------------------
// Small deterministic random source: the textures must come out the same on
// every run.

struct Rng
{
    uint32_t s;
    explicit Rng(uint32_t seed) : s(seed ? seed : 0x9e3779b9u) {}
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double uni() { return (next() >> 8) * (1.0 / 16777216.0); } // [0,1)
    double sym() { return uni() * 2.0 - 1.0; }                  // [-1,1)
};

// ---------------------------------------------------------------------------
// Colours (drawing.cpp).

int clamp255(double v);
QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor c, int a);

// ---------------------------------------------------------------------------
// Picture files (image_files.cpp).

struct Indexed
{
    int w = 0, h = 0;
    std::vector<uint8_t> idx;
    std::vector<QRgb> pal; // up to 256
};

bool writeFile(const QString& path, const QByteArray& data);
// GIF89a, one frame, global 256-colour table.
QByteArray encodeGif(const Indexed& im);
// 8-bit palette BMP, uncompressed, bottom-up.
QByteArray encodeBmp8(const Indexed& im);
// Median-cut palette with light error diffusion; pixels where `keep` is false
// get index 0, the reserved colour.
Indexed quantize(const QImage& src, int colours, const std::vector<bool>* keep = nullptr,
                 QRgb reserved = 0, double ditherStrength = 0.75);
bool saveJpeg(const QImage& img, const QString& path, int quality);
bool saveBmp24(const QImage& img, const QString& path);

// ---------------------------------------------------------------------------
// Drawing helpers (drawing.cpp).

struct Theme
{
    QColor well;           // socket around a button
    QColor key0, key1;     // button surface, top and bottom
    QColor slot0, slot1;   // position track surface
    QColor lcd0, lcd1;     // display fill; its inverse becomes the label colour
    QColor lcdInk;         // captions printed on the display glass
    QColor glass0, glass1; // picture area
    QColor glassGlow;      // tint of the picture area's sheen and mark
    QColor bezel0, bezel1; // frame around screen and displays
    QColor panel0, panel1; // control panel plate
    QColor engrave;        // captions cut into the panel
    QColor plate0, plate1; // name plate
    QColor plateInk;
    QColor accent; // glow line and lamp
    QColor screw;
    bool panelPlate = true;
    // Paints the control panel's surface inside the given rectangle; when
    // empty the panel is brushed metal in panel0..panel1.
    std::function<void(QImage&, const QRect&)> panelSurface;
};

QPainterPath roundRect(const QRectF& r, double rad);
void recess(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double depth = 1.0);
void raised(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double strength = 1.0);
void screw(QPainter& p, QPointF c, double r, const QColor& metal, double angleDeg);
QFont latinFont(double px, int weight = QFont::Bold, bool italic = false);
QFont cjkFont(double px, int weight = QFont::Bold);
void engraved(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& f,
              const QColor& ink, double depth = 1.0);
void brush(QImage& img, const QRect& area, uint32_t seed, double strength, int streak);
void grain(QImage& img, const QRect& area, uint32_t seed, double strength);
void logoMark(QPainter& p, QPointF c, double r, const QColor& ring, const QColor& fillTop,
              const QColor& fillBottom, const QColor& glyph);

// ---------------------------------------------------------------------------
// The face every skin carries, and its edges (face.cpp).

void drawFace(QImage& img, const Theme& t, uint32_t seed);
void titleDetails(QImage& img, const Theme& t, int x0, int x1, int y, int h);
// False, with the reason on stderr, when an object of the layout reaches
// outside the kept pixels of a shaped skin.
bool layoutInside(const std::vector<bool>& keep, int w);
void outerFrame(QImage& img, const QColor& light, const QColor& dark);
void glowLine(QImage& img, int y, int x0, int x1, const QColor& c);

// ---------------------------------------------------------------------------
// Skins.

QImage makeTolvan(); // default_skin.cpp
QImage makeOcean();  // extra_skins.cpp
QImage makeAmber();  // extra_skins.cpp

// Jade: a stone-shaped window.  The surround is one exact colour (palette
// entry 0) so the window outline can be cut where pixels equal the top-left
// pixel; no edge pixel is blended into it.
constexpr QRgb kJadeSurround = 0xFFFF00FF;
constexpr int kJadeW = 604;
constexpr int kJadeH = 382;

QImage makeJade(std::vector<bool>& keep); // jade_skin.cpp

// ---------------------------------------------------------------------------
// Button masks (button_masks.cpp), capture placeholder, read-me.

struct MaskShape
{
    const char* file;
    int w, h;
    double bevel;
    QPainterPath shape;
};

QImage makeMask(const QPainterPath& shape, int w, int h, double bevel);
std::vector<MaskShape> maskShapes();

QImage makeCutPlaceholder(); // capture_placeholder.cpp

QByteArray makeRtf();  // readme.cpp
QByteArray makeHtml(); // readme.cpp

} // namespace resources
