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

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace resources {

// ---------------------------------------------------------------------------
// Built-in layout of the main window, in skin pixels.  Every skin drawn here
// leaves room for these objects; the program's own built-in layout must use
// the same numbers or the faces are cut from the wrong places.

struct Box
{
    int x, y, w, h;
    QRectF r() const { return QRectF(x, y, w, h); }
    QRect ri() const { return QRect(x, y, w, h); }
};

constexpr int kSkinW = 576;
constexpr int kSkinH = 360;

// Control panel, indexed as the program indexes them.
constexpr std::array<Box, 14> kPicCtl = {{
    {447, 106, 50, 24}, // 0 play
    {447, 136, 50, 24}, // 1 stop
    {390, 136, 50, 24}, // 2 back
    {390, 166, 50, 24}, // 3 volume down
    {504, 166, 50, 24}, // 4 volume up
    {504, 136, 50, 24}, // 5 forward
    {504, 310, 50, 24}, // 6 continuous capture: never shown, parked on the name plate
    {447, 166, 50, 24}, // 7 eject / load
    {538, 11, 18, 16},  // 8 exit
    {22, 326, 352, 14}, // 9 position track
    {390, 106, 50, 24}, // 10 previous
    {504, 106, 50, 24}, // 11 next
    {514, 11, 18, 16},  // 12 hide
    {22, 326, 24, 14},  // 13 position knob (starts at the left of the track)
}};

// Number pad: nine track keys and the page key (last).
constexpr std::array<Box, 10> kPicNum = {{
    {390, 210, 30, 20},
    {423, 210, 30, 20},
    {456, 210, 30, 20},
    {489, 210, 30, 20},
    {522, 210, 30, 20},
    {390, 234, 30, 20},
    {423, 234, 30, 20},
    {456, 234, 30, 20},
    {489, 234, 30, 20},
    {522, 234, 30, 20},
}};

// Function buttons: open disc, enlarge video, change skin, settings.
constexpr std::array<Box, 4> kPicButton = {{
    {390, 270, 38, 20},
    {432, 270, 38, 20},
    {474, 270, 38, 20},
    {516, 270, 38, 20},
}};

constexpr Box kImage1 = {22, 44, 352, 240}; // picture / video area
constexpr Box kLabel1 = {22, 296, 352, 18}; // status and lyrics line
constexpr std::array<Box, 3> kLabel2 = {{
    {398, 62, 70, 16}, // elapsed time
    {478, 62, 70, 16}, // length
    {398, 82, 48, 14}, // track badge, never shown; its colour comes from here
}};
constexpr Box kLabel3 = {14, 12, 120, 20}; // logo text (and its shadow at +1,+1)

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
