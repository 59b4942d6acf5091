// Draws every picture and document of the program folder (resources/):
// the default skin, the extra skins, the button masks, the capture
// placeholder and the read-me in RTF and HTML.  Everything is drawn here so
// the output is reproducible; run it through scripts/make-resources.sh.
//
// Usage: make_resources <resources dir> [--preview <dir>] [--layout]

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QTextStream>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

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

// ---------------------------------------------------------------------------
// File writers.

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

void put16le(QByteArray& b, int v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}
void put32le(QByteArray& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

struct Indexed
{
    int w = 0, h = 0;
    std::vector<uint8_t> idx;
    std::vector<QRgb> pal; // up to 256
};

// GIF89a, one frame, global 256-colour table, plain LZW.  Qt reads GIF but
// does not write it.
QByteArray encodeGif(const Indexed& im)
{
    QByteArray out("GIF89a");
    put16le(out, im.w);
    put16le(out, im.h);
    out.append(char(0xF7)); // global table, 8-bit resolution, 256 entries
    out.append(char(0));    // background index
    out.append(char(0));    // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        QRgb c = i < int(im.pal.size()) ? im.pal[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    put16le(out, 0);
    put16le(out, 0);
    put16le(out, im.w);
    put16le(out, im.h);
    out.append(char(0)); // no local table, not interlaced

    const int minCode = 8, clearCode = 256, endCode = 257;
    out.append(char(minCode));
    QByteArray data;
    uint32_t bitBuf = 0;
    int bitCount = 0;
    int codeSize = minCode + 1;
    auto putCode = [&](int code) {
        bitBuf |= uint32_t(code) << bitCount;
        bitCount += codeSize;
        while (bitCount >= 8) {
            data.append(char(bitBuf & 0xff));
            bitBuf >>= 8;
            bitCount -= 8;
        }
    };
    std::unordered_map<uint32_t, int> dict;
    dict.reserve(8192);
    int nextCode = endCode + 1;
    putCode(clearCode);
    int prefix = -1;
    for (uint8_t px : im.idx) {
        if (prefix < 0) {
            prefix = px;
            continue;
        }
        uint32_t key = (uint32_t(prefix) << 8) | px;
        auto it = dict.find(key);
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        putCode(prefix);
        dict.emplace(key, nextCode);
        // The decoder adds its entry one code later, so widen as soon as the
        // new code no longer fits.
        if (nextCode == (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (++nextCode == 4096) {
            putCode(clearCode);
            dict.clear();
            nextCode = endCode + 1;
            codeSize = minCode + 1;
        }
        prefix = px;
    }
    if (prefix >= 0)
        putCode(prefix);
    putCode(endCode);
    if (bitCount > 0)
        data.append(char(bitBuf & 0xff));

    for (int pos = 0; pos < data.size(); pos += 255) {
        int n = std::min<int>(255, data.size() - pos);
        out.append(char(n));
        out.append(data.constData() + pos, n);
    }
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

// 8-bit palette BMP, uncompressed, bottom-up.
QByteArray encodeBmp8(const Indexed& im)
{
    const int stride = (im.w + 3) & ~3;
    const uint32_t offBits = 14 + 40 + 256 * 4;
    const uint32_t size = offBits + uint32_t(stride) * im.h;
    QByteArray b("BM");
    put32le(b, size);
    put32le(b, 0);
    put32le(b, offBits);
    put32le(b, 40);
    put32le(b, uint32_t(im.w));
    put32le(b, uint32_t(im.h));
    put16le(b, 1);
    put16le(b, 8);
    put32le(b, 0); // BI_RGB
    put32le(b, uint32_t(stride) * im.h);
    put32le(b, 3780); // 96 dpi, as Qt writes its own bitmaps
    put32le(b, 3780);
    put32le(b, 256);
    put32le(b, 0);
    for (int i = 0; i < 256; ++i) {
        QRgb c = i < int(im.pal.size()) ? im.pal[i] : qRgb(0, 0, 0);
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append(char(0));
    }
    for (int y = im.h - 1; y >= 0; --y) {
        b.append(reinterpret_cast<const char*>(&im.idx[size_t(y) * im.w]), im.w);
        for (int p = im.w; p < stride; ++p)
            b.append(char(0));
    }
    return b;
}

// ---------------------------------------------------------------------------
// Median-cut palette with light error diffusion.  Pixels where `keep` is
// false get index 0 and never take part, so a reserved surround colour stays
// exactly one palette entry.

Indexed quantize(const QImage& src, int colours, const std::vector<bool>* keep = nullptr,
                 QRgb reserved = 0, double ditherStrength = 0.75)
{
    const int w = src.width(), h = src.height();
    QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int first = keep ? 1 : 0;
    const int want = colours - first;

    struct C
    {
        uint8_t c[3];
        uint32_t n;
    };
    std::unordered_map<uint32_t, uint32_t> hist;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (keep && !(*keep)[size_t(y) * w + x])
                continue;
            ++hist[line[x] & 0xffffff];
        }
    }
    std::vector<C> cols;
    cols.reserve(hist.size());
    for (auto& [rgb, n] : hist)
        cols.push_back({{uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb))}, n});
    // Sorted input keeps the cut (and the output file) independent of hash order.
    std::sort(cols.begin(), cols.end(), [](const C& a, const C& b) {
        return std::lexicographical_compare(a.c, a.c + 3, b.c, b.c + 3);
    });

    struct Bucket
    {
        size_t begin, end;
    };
    std::vector<Bucket> buckets{{0, cols.size()}};
    auto spread = [&](const Bucket& bk, int& axis) {
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (size_t i = bk.begin; i < bk.end; ++i)
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min<int>(lo[k], cols[i].c[k]);
                hi[k] = std::max<int>(hi[k], cols[i].c[k]);
            }
        // Green weighs most for the eye.
        const double wgt[3] = {1.0, 1.2, 0.8};
        double best = -1;
        for (int k = 0; k < 3; ++k)
            if ((hi[k] - lo[k]) * wgt[k] > best) {
                best = (hi[k] - lo[k]) * wgt[k];
                axis = k;
            }
        uint64_t count = 0;
        for (size_t i = bk.begin; i < bk.end; ++i)
            count += cols[i].n;
        return best * std::sqrt(double(count));
    };
    while (int(buckets.size()) < want) {
        int bestI = -1, bestAxis = 0;
        double bestScore = 0;
        for (int i = 0; i < int(buckets.size()); ++i) {
            if (buckets[i].end - buckets[i].begin < 2)
                continue;
            int axis = 0;
            double s = spread(buckets[i], axis);
            if (s > bestScore) {
                bestScore = s;
                bestI = i;
                bestAxis = axis;
            }
        }
        if (bestI < 0)
            break;
        Bucket bk = buckets[bestI];
        std::sort(cols.begin() + bk.begin, cols.begin() + bk.end, [&](const C& a, const C& b) {
            if (a.c[bestAxis] != b.c[bestAxis])
                return a.c[bestAxis] < b.c[bestAxis];
            return std::lexicographical_compare(a.c, a.c + 3, b.c, b.c + 3);
        });
        uint64_t total = 0;
        for (size_t i = bk.begin; i < bk.end; ++i)
            total += cols[i].n;
        uint64_t acc = 0;
        size_t cut = bk.begin + 1;
        for (size_t i = bk.begin; i < bk.end - 1; ++i) {
            acc += cols[i].n;
            cut = i + 1;
            if (acc * 2 >= total)
                break;
        }
        buckets[bestI] = {bk.begin, cut};
        buckets.push_back({cut, bk.end});
    }

    Indexed out;
    out.w = w;
    out.h = h;
    out.idx.assign(size_t(w) * h, 0);
    if (keep)
        out.pal.push_back(reserved);
    for (auto& bk : buckets) {
        double s[3] = {0, 0, 0}, n = 0;
        for (size_t i = bk.begin; i < bk.end; ++i) {
            for (int k = 0; k < 3; ++k)
                s[k] += double(cols[i].c[k]) * cols[i].n;
            n += cols[i].n;
        }
        QRgb c = qRgb(clamp255(s[0] / n), clamp255(s[1] / n), clamp255(s[2] / n));
        if (keep && (c & 0xffffff) == (reserved & 0xffffff))
            c ^= 0x000001; // never the surround
        out.pal.push_back(c);
    }

    auto nearest = [&](double r, double g, double b) {
        int best = first;
        double bd = 1e18;
        for (int i = first; i < int(out.pal.size()); ++i) {
            double dr = r - qRed(out.pal[i]), dg = g - qGreen(out.pal[i]),
                   db = b - qBlue(out.pal[i]);
            double d = dr * dr * 0.30 + dg * dg * 0.59 + db * db * 0.11;
            if (d < bd) {
                bd = d;
                best = i;
            }
        }
        return best;
    };

    // Floyd-Steinberg in serpentine order; the error never crosses into
    // pixels that are not kept.
    std::vector<double> err0(size_t(w + 2) * 3, 0.0), err1(size_t(w + 2) * 3, 0.0);
    for (int y = 0; y < h; ++y) {
        std::fill(err1.begin(), err1.end(), 0.0);
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        const bool ltr = (y % 2) == 0;
        for (int i = 0; i < w; ++i) {
            const int x = ltr ? i : w - 1 - i;
            const size_t p = size_t(y) * w + x;
            if (keep && !(*keep)[p]) {
                out.idx[p] = 0;
                continue;
            }
            double v[3] = {double(qRed(line[x])), double(qGreen(line[x])), double(qBlue(line[x]))};
            for (int k = 0; k < 3; ++k)
                v[k] = std::clamp(v[k] + err0[size_t(x + 1) * 3 + k], 0.0, 255.0);
            int id = nearest(v[0], v[1], v[2]);
            out.idx[p] = uint8_t(id);
            double e[3] = {(v[0] - qRed(out.pal[id])) * ditherStrength,
                           (v[1] - qGreen(out.pal[id])) * ditherStrength,
                           (v[2] - qBlue(out.pal[id])) * ditherStrength};
            const int dir = ltr ? 1 : -1;
            auto add = [&](std::vector<double>& row, int xx, double f) {
                if (xx < 0 || xx >= w)
                    return;
                if (keep && !(*keep)[size_t(&row == &err0 ? y : y + 1) * w + xx])
                    return;
                for (int k = 0; k < 3; ++k)
                    row[size_t(xx + 1) * 3 + k] += e[k] * f;
            };
            add(err0, x + dir, 7.0 / 16);
            if (y + 1 < h) {
                add(err1, x - dir, 3.0 / 16);
                add(err1, x, 5.0 / 16);
                add(err1, x + dir, 1.0 / 16);
            }
        }
        std::swap(err0, err1);
    }
    return out;
}

// The skin catalogue reads a JPEG's size at fixed offsets (height at 163,
// width at 165) instead of parsing it, which holds for the plain JFIF layout:
// SOI, APP0, two DQT segments, SOF0.  Refuse to ship a file that differs.
bool jpegHeaderAsCatalogueExpects(const QByteArray& b, int w, int h)
{
    auto u8 = [&](int i) { return uint8_t(b.at(i)); };
    if (b.size() < 170)
        return false;
    if (u8(0) != 0xFF || u8(1) != 0xD8 || u8(2) != 0xFF || u8(3) != 0xE0)
        return false;
    if (u8(158) != 0xFF || u8(159) != 0xC0)
        return false;
    return ((u8(163) << 8) | u8(164)) == h && ((u8(165) << 8) | u8(166)) == w;
}

bool saveJpeg(const QImage& img, const QString& path, int quality)
{
    QByteArray bytes;
    {
        QFile tmp(path);
        QImageWriter wr(&tmp, "jpeg");
        if (!tmp.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        wr.setQuality(quality);
        if (!wr.write(img.convertToFormat(QImage::Format_RGB32)))
            return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    if (!jpegHeaderAsCatalogueExpects(bytes, img.width(), img.height())) {
        std::fprintf(stderr, "%s: JPEG header is not the plain JFIF layout\n", qPrintable(path));
        return false;
    }
    return true;
}

bool saveBmp24(const QImage& img, const QString& path)
{
    QImageWriter wr(path, "bmp");
    return wr.write(img.convertToFormat(QImage::Format_RGB32));
}

// ---------------------------------------------------------------------------
// Drawing helpers.

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

QPainterPath roundRect(const QRectF& r, double rad)
{
    QPainterPath p;
    p.addRoundedRect(r, rad, rad);
    return p;
}

// A recess: fill, a soft inner shadow from the top-left and a lit lower lip.
void recess(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double depth = 1.0)
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
void raised(QPainter& p, const QRectF& r, double rad, const QBrush& fill, double strength = 1.0)
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

QFont latinFont(double px, int weight = QFont::Bold, bool italic = false)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont cjkFont(double px, int weight = QFont::Bold)
{
    QFont f("Noto Sans CJK TC");
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setWeight(QFont::Weight(weight));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Text cut into a surface: dark upper edge, light lower edge.
void engraved(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& f,
              const QColor& ink, double depth = 1.0)
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

// Picture area: dark glass with a sheen and a faint mark, shown whenever no
// background picture or video covers it.
void screen(QPainter& p, const Theme& t)
{
    const QRectF g = kImage1.r();
    recess(p, kScreenBezel.r(), 9, QBrush(mix(t.bezel0, t.bezel1, 0.5)), 0.8);
    {
        // Bezel: a sloped frame lit from above.
        QLinearGradient lg(0, kScreenBezel.y, 0, kScreenBezel.y + kScreenBezel.h);
        lg.setColorAt(0, t.bezel0);
        lg.setColorAt(1, t.bezel1);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath frame = roundRect(kScreenBezel.r().adjusted(2, 2, -2, -2), 7);
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
    const QRectF r = b.r();
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
    const QRectF r = kNamePlate.r();
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

// Everything that sits on top of a skin body: screen, displays, the seats of
// all buttons, captions and the name plate.  Positions come from the layout.
void drawFace(QImage& img, const Theme& t, uint32_t seed)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    if (t.panelPlate) {
        QLinearGradient lg(kPanel.r().topLeft(), kPanel.r().bottomLeft());
        lg.setColorAt(0, t.panel0);
        lg.setColorAt(1, t.panel1);
        raised(p, kPanel.r(), 8, QBrush(lg), 0.9);
        p.end();
        if (t.panelSurface) {
            // Own surface inside the rounded plate, then the plate's edges again.
            QImage surf(img.size(), QImage::Format_RGB32);
            surf.fill(0);
            t.panelSurface(surf, kPanel.ri());
            QImage clip(img.size(), QImage::Format_Grayscale8);
            clip.fill(0);
            {
                QPainter cp(&clip);
                cp.setRenderHint(QPainter::Antialiasing);
                cp.setPen(Qt::NoPen);
                cp.setBrush(Qt::white);
                cp.drawPath(roundRect(kPanel.r().adjusted(1, 1, -1, -1), 7));
            }
            for (int y = kPanel.y; y < kPanel.y + kPanel.h; ++y) {
                QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
                const QRgb* src = reinterpret_cast<const QRgb*>(surf.constScanLine(y));
                const uchar* a = clip.constScanLine(y);
                for (int x = kPanel.x; x < kPanel.x + kPanel.w; ++x)
                    dst[x] = mix(QColor(dst[x]), QColor(src[x]), a[x] / 255.0).rgb();
            }
            p.begin(&img);
            raised(p, kPanel.r(), 8, Qt::NoBrush, 0.9);
            p.end();
        } else {
            brush(img, kPanel.ri().adjusted(3, 3, -3, -3), seed + 7, 1.6, 30);
        }
        p.begin(&img);
        p.setRenderHint(QPainter::Antialiasing);
    }

    screen(p, t);

    // Status line and time display.
    lcd(p, t, kStatusLcd.r());
    lcd(p, t, kTimeLcd.r());
    {
        QFont f = cjkFont(9, QFont::Medium);
        p.setFont(f);
        p.setPen(t.lcdInk);
        p.drawText(QRectF(kLabel2[0].x, kTimeLcd.y + 4, 70, 12), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("播放時間"));
        p.drawText(QRectF(kLabel2[1].x, kTimeLcd.y + 4, 70, 12), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("總長度"));
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
    recess(p, kTrackGroove.r(), 8, QBrush(t.well), 0.9);
    buttonSeat(p, t, kPicCtl[9], true);

    for (int i = 0; i < 14; ++i) {
        if (i == 6 || i == 9 || i == 13)
            continue; // 6 is never shown; 9 and 13 are the track
        buttonSeat(p, t, kPicCtl[i]);
    }
    for (const Box& b : kPicNum)
        buttonSeat(p, t, b);
    for (const Box& b : kPicButton)
        buttonSeat(p, t, b);

    divider(p, t, (kPicCtl[3].y + kPicCtl[3].h + kPicNum[0].y) / 2.0 + 0.5,
            QStringLiteral("選 曲"));
    divider(p, t, (kPicNum[5].y + kPicNum[5].h + kPicButton[0].y) / 2.0 + 0.5,
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
    for (int i = 0; i < 14; ++i)
        check(kPicCtl[i], "PicCtl", i);
    for (int i = 0; i < int(kPicNum.size()); ++i)
        check(kPicNum[i], "PicNum", i);
    for (int i = 0; i < 4; ++i)
        check(kPicButton[i], "PicButton", i);
    for (int i = 0; i < 3; ++i)
        check(kLabel2[i], "Label2", i);
    check(kLabel1, "Label1", 0);
    check(kLabel3, "Label3", 0, 0);
    check(kImage1, "Image1", 0);
    return ok;
}

// ---------------------------------------------------------------------------
// Skins.

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

// Jade: a stone-shaped window.  The surround is one exact colour (palette
// entry 0) so the window outline can be cut where pixels equal the top-left
// pixel; no edge pixel is blended into it.
constexpr QRgb kJadeSurround = 0xFFFF00FF;
constexpr int kJadeW = 604;
constexpr int kJadeH = 382;

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

// ---------------------------------------------------------------------------
// Button masks.  Outside the shape: the colour of the top-left pixel (black).
// Inside: grey shading factors, 128 keeps the skin's colour, lighter pixels
// brighten it, darker ones darken it.  No inside pixel is pure black, so the
// shape is never mistaken for its surround.

// Squared Euclidean distance transform along one line (lower envelope of
// parabolas).
void edt1d(const std::vector<double>& f, std::vector<double>& d, int n)
{
    std::vector<int> v(static_cast<size_t>(n));
    std::vector<double> z(size_t(n) + 1);
    int k = 0;
    v[0] = 0;
    z[0] = -1e20;
    z[1] = 1e20;
    for (int q = 1; q < n; ++q) {
        double sv;
        for (;;) {
            sv = ((f[size_t(q)] + double(q) * q) -
                  (f[size_t(v[size_t(k)])] + double(v[size_t(k)]) * v[size_t(k)])) /
                 (2.0 * q - 2.0 * v[size_t(k)]);
            if (sv > z[size_t(k)])
                break;
            --k;
        }
        ++k;
        v[size_t(k)] = q;
        z[size_t(k)] = sv;
        z[size_t(k) + 1] = 1e20;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[size_t(k) + 1] < q)
            ++k;
        const double dq = q - v[size_t(k)];
        d[size_t(q)] = dq * dq + f[size_t(v[size_t(k)])];
    }
}

// Distance of every inside pixel to the nearest outside one; the border of
// the grid counts as outside.
std::vector<double> distanceField(const std::vector<bool>& in, int w, int h)
{
    const int W = w + 2, H = h + 2;
    std::vector<double> g(size_t(W) * H, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g[size_t(y + 1) * W + x + 1] = in[size_t(y) * w + x] ? 1e20 : 0;
    std::vector<double> f, d;
    f.resize(size_t(std::max(W, H)));
    d.resize(f.size());
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y)
            f[size_t(y)] = g[size_t(y) * W + x];
        edt1d(f, d, H);
        for (int y = 0; y < H; ++y)
            g[size_t(y) * W + x] = d[size_t(y)];
    }
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            f[size_t(x)] = g[size_t(y) * W + x];
        edt1d(f, d, W);
        for (int x = 0; x < W; ++x)
            g[size_t(y) * W + x] = d[size_t(x)];
    }
    std::vector<double> out(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out[size_t(y) * w + x] = std::sqrt(g[size_t(y + 1) * W + x + 1]);
    return out;
}

QImage makeMask(const QPainterPath& shape, int w, int h, double bevel)
{
    // Shade at four times the size and average down, so the rim is smooth.
    constexpr int S = 4;
    const int W = w * S, H = h * S;
    QImage cover(W, H, QImage::Format_Grayscale8);
    cover.fill(0);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(S, S);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(shape);
    }
    std::vector<bool> in(size_t(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            in[size_t(y) * W + x] = cover.constScanLine(y)[x] >= 128;
    const std::vector<double> dist = distanceField(in, W, H);
    const double b = bevel * S;
    // Rounded bevel: steep at the rim, flat on the face.
    auto height = [&](int x, int y) {
        x = std::clamp(x, 0, W - 1);
        y = std::clamp(y, 0, H - 1);
        const double t = std::min(dist[size_t(y) * W + x] / b, 1.0);
        return b * (1.0 - (1.0 - t) * (1.0 - t));
    };
    const double lx = -0.55, ly = -0.72, lz = 0.80;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    std::vector<double> shade(size_t(W) * H, 0);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!in[size_t(y) * W + x])
                continue;
            const double dx = (height(x + 1, y) - height(x - 1, y)) / 2;
            const double dy = (height(x, y + 1) - height(x, y - 1)) / 2;
            const double nn = std::sqrt(dx * dx + dy * dy + 1);
            const double nx = -dx / nn, ny = -dy / nn, nz = 1 / nn;
            const double lambert = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ln);
            double v = 128.0 * lambert / (lz / ln);
            // The face is lit a little more at the top, like a soft cap.
            const double fy = double(y) / H;
            v *= 1.14 - 0.26 * fy;
            // Dark hairline at the very rim gives the key a crisp edge.
            const double d = dist[size_t(y) * W + x];
            if (d < S * 0.9)
                v *= 0.55 + 0.45 * d / (S * 0.9);
            shade[size_t(y) * W + x] = v;
        }
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(qRgb(0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            int n = 0;
            for (int sy = 0; sy < S; ++sy)
                for (int sx = 0; sx < S; ++sx) {
                    const size_t i = size_t(y * S + sy) * W + x * S + sx;
                    if (!in[i])
                        continue;
                    sum += shade[i];
                    ++n;
                }
            if (n * 2 < S * S)
                continue; // mostly outside: stays the surround colour
            // Partly covered rim pixels lean dark, as the edge of a key would.
            const double v = sum / n * (0.6 + 0.4 * n / double(S * S));
            const int g = std::clamp(int(std::lround(v)), 8, 250);
            out.setPixel(x, y, qRgb(g, g, g));
        }
    return out;
}

struct MaskShape
{
    const char* file;
    int w, h;
    double bevel;
    QPainterPath shape;
};

std::vector<MaskShape> maskShapes()
{
    std::vector<MaskShape> v;
    {
        QPainterPath p;
        p.addEllipse(QRectF(1, 1, 46, 46));
        v.push_back({"Round.bmp", 48, 48, 7, p});
    }
    {
        QPainterPath p;
        p.addRoundedRect(QRectF(1, 1, 62, 38), 9, 9);
        v.push_back({"RoundRect.bmp", 64, 40, 5, p});
    }
    {
        QPainterPath p;
        p.addRoundedRect(QRectF(1, 1, 62, 30), 15, 15);
        v.push_back({"Pill.bmp", 64, 32, 5, p});
    }
    {
        QPainterPath p;
        p.moveTo(32, 1);
        p.lineTo(63, 20);
        p.lineTo(32, 39);
        p.lineTo(1, 20);
        p.closeSubpath();
        v.push_back({"Diamond.bmp", 64, 40, 4, p});
    }
    {
        QPainterPath p;
        p.moveTo(13, 1);
        p.lineTo(51, 1);
        p.lineTo(63, 20);
        p.lineTo(51, 39);
        p.lineTo(13, 39);
        p.lineTo(1, 20);
        p.closeSubpath();
        v.push_back({"Hexagon.bmp", 64, 40, 4, p});
    }
    return v;
}

// ---------------------------------------------------------------------------
// Default capture picture: a quiet placeholder until the first frame is grabbed.

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

// ---------------------------------------------------------------------------
// Read-me, written once and rendered as RTF (code page 950) and as HTML.
//
// Paragraph kinds: T title, H heading, P body, B bullet, C sample lines,
// N closing note, F picture (HTML only: "path|caption").  Inline: [b]..[/b] bold, [i]..[/i] italic.

struct Para
{
    char kind;
    const char* text;
};

const std::vector<Para>& readme()
{
    static const std::vector<Para> doc = {
        {'T', "Tolvane99 多媒體播放器 使用說明"},
        {'P', "歡迎使用 "
              "[b]Tolvane99[/"
              "b]！這是一台放在桌面上的小音響：播放光碟、音樂和影片，還可以隨心情更換外觀。"
              "第一次使用請花一分鐘看完這份說明。"},
        {'F', "Desk/Tolvan.JPG|預設面板：左邊是畫面，右邊是時間顯示、控制台、選曲鍵和功能鈕"},
        {'H', "可以播放什麼"},
        {'B', "[b]影音光碟（VCD）與音樂 "
              "CD[/b]：放入光碟後按「開啟光碟」功能鈕，程式會自動辨認光碟並開始播放。"},
        {'B', "[b]電腦裡的檔案[/"
              "b]：MP3、WAV、MIDI、AVI、MOV、MPEG。在「開啟光碟」鈕上按右鍵，選「搜尋目錄」，"
              "整個資料夾的歌曲就會變成專輯，依序播放。"},
        {'B', "[b]光碟映像檔[/b]（.cue/.bin、.iso）設定成虛擬光碟機之後，也能像真的光碟一樣使用。"},
        {'H', "按鈕怎麼用"},
        {'B',
         "[b]控制台[/b]：播放、停止、上一首、下一首、後退、前進、音量大小、退片、隱藏面板與結束。"
         "多數按鈕按[i]右鍵[/i]會出現選單，可以選前進後退的時間、音量或播放速度。"},
        {'B', "[b]時間游標[/b]：按住游標拖到想聽的地方，放開後就會跳過去。"},
        {'B', "[b]選曲鍵[/b]：按數字直接選軌道或歌曲；「>>」切換到下一頁。播放 MP3 "
              "時，在數字鍵上按右鍵可以挑專輯裡的歌，"
              "在「>>」上按右鍵可以選擇播放清單。"},
        {'B', "[b]功能鈕[/b]：開啟光碟、放大播放視窗、更換面板、設定參數。"},
        {'H', "更換面板"},
        {'P', "面板就是一張圖片。把 JPG、BMP 或 GIF 圖片放進程式目錄裡的 [i]Skin[/i] 資料夾，"
              "再按「更換面板」鈕（右鍵是快速選單）就能選用。選單會列出每張圖的大小，比螢幕大的圖片"
              "無法使用。"},
        {'P', "[b]GIF "
              "面板[/b]以圖片[i]左上角那一點[/i]的顏色當作透明色，視窗會變成圖形的形狀，試試附贈的 "
              "[i]Jade.gif[/i]！"},
        {'P', "按鈕是從面板圖片上剪下來的，再用 [i]Button Mask[/i] 資料夾裡的遮罩圖加上立體感。"
              "在「按鈕顏色設定」視窗可以調整按鈕顏色、拖曳按鈕位置並「儲存按鈕配置」；"
              "想回到原來的樣子，按「恢復原始設定」。換了遮罩後按鈕沒有變化時，"
              "請到「設定參數」按「清除按鈕快取」。"},
        {'H', "歌詞"},
        {'P',
         "把歌詞存成和歌曲[b]同名[/b]的文字檔，副檔名用 .txt，放在音樂檔旁邊，"
         "例如 [i]海風.mp3[/i] 的歌詞就是 [i]海風.txt[/i]。第一行寫歌名，之後每一行前面加上時間"
         "「分:秒:百分秒」："},
        {'C', "海風 - 夏日的歌"},
        {'C', "00:12:50 第一句歌詞"},
        {'C', "00:18:00 第二句歌詞"},
        {'P', "播放時歌詞會一句一句跟著唱；在訊息列上按一下，可以看整篇歌詞。"
              "[i]小提醒：歌詞裡不要用半形逗號，它會把一句拆成兩行。[/i]"},
        {'H', "播放清單"},
        {'P',
         "在「播放選單」裡選「清單檔播放(m3u)」，打開「播放清單設定」：從左邊挑歌曲加入、調整順序，"
         "存成 .m3u "
         "清單檔，按「開始播放」就好。播放中在播放鈕上按右鍵，也能把目前的歌「加入清單中」。"},
        {'H', "抓圖"},
        {'P',
         "看影片時在「放大播放視窗」鈕上按右鍵，可以「單張抓圖」或「連續抓圖」，圖片存成 BMP 檔；"
         "存放的資料夾、格數和畫格大小都可以在「抓圖參數設定」視窗裡調整。"},
        {'N',
         "不想每次啟動都看到這份說明？勾選下方的「下次不要顯示此說明」就可以了。祝您聆賞愉快 ♪"},
    };
    return doc;
}

class Cp950
{
public:
    Cp950() : cd_(iconv_open("CP950", "UTF-8"))
    {
        if (cd_ == iconv_t(-1)) {
            std::perror("iconv_open CP950");
            std::exit(1);
        }
    }
    ~Cp950() { iconv_close(cd_); }
    // Bytes of one character in code page 950, or empty when it has none.
    std::string encode(const QString& ch)
    {
        QByteArray in = ch.toUtf8();
        char out[16];
        char* ip = in.data();
        size_t il = size_t(in.size());
        char* op = out;
        size_t ol = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &ip, &il, &op, &ol) == size_t(-1))
            return {};
        return std::string(out, size_t(op - out));
    }

private:
    iconv_t cd_;
};

// Splits [b]/[i] markup into runs and hands each run to `emit`.
template <typename F> void runs(const QString& text, F onRun)
{
    bool bold = false, italic = false;
    QString cur;
    for (int i = 0; i < text.size();) {
        auto tag = [&](const char* t) {
            return text.mid(i, int(std::strlen(t))) == QLatin1String(t);
        };
        const char* tags[] = {"[b]", "[/b]", "[i]", "[/i]"};
        bool matched = false;
        for (const char* t : tags) {
            if (!tag(t))
                continue;
            if (!cur.isEmpty())
                onRun(cur, bold, italic);
            cur.clear();
            if (t[1] == 'b')
                bold = true;
            else if (t[1] == 'i')
                italic = true;
            else if (t[2] == 'b')
                bold = false;
            else
                italic = false;
            i += int(std::strlen(t));
            matched = true;
            break;
        }
        if (!matched)
            cur += text[i++];
    }
    if (!cur.isEmpty())
        onRun(cur, bold, italic);
}

std::string rtfText(Cp950& cp, const QString& s)
{
    std::string out;
    char buf[16];
    for (QChar ch : s) {
        const ushort u = ch.unicode();
        if (u < 0x80) {
            if (ch == '\\' || ch == '{' || ch == '}')
                out += '\\';
            out += char(u);
            continue;
        }
        const std::string bytes = cp.encode(QString(ch));
        if (bytes.empty()) {
            // Not in the code page: Unicode escape with a plain fallback.
            std::snprintf(buf, sizeof buf, "\\u%d?", int(int16_t(u)));
            out += buf;
            continue;
        }
        // Every byte of a double-byte character is escaped, trail bytes too,
        // since a trail byte may equal a backslash or a brace.
        for (unsigned char b : bytes) {
            std::snprintf(buf, sizeof buf, "\\'%02x", b);
            out += buf;
        }
    }
    return out;
}

QByteArray makeRtf()
{
    Cp950 cp;
    std::string r;
    r += "{\\rtf1\\ansi\\ansicpg950\\deff0\\deflang1033\\deflangfe1028\r\n";
    r += "{\\fonttbl{\\f0\\fnil\\fcharset136 Noto Sans CJK TC;}{\\f1\\fswiss\\fcharset0 DejaVu "
         "Sans;}"
         "{\\f2\\fmodern\\fcharset136 Noto Sans Mono CJK TC;}}\r\n";
    r += "{\\colortbl "
         ";\\red20\\green70\\blue130;\\red176\\green60\\blue20;\\red96\\green96\\blue96;}\r\n";
    r += "\\viewkind4\\uc1\\pard\\lang1028\\f0\\fs20\r\n";
    for (const Para& para : readme()) {
        const QString text = QString::fromUtf8(para.text);
        std::string body;
        runs(text, [&](const QString& run, bool b, bool i) {
            std::string s = rtfText(cp, run);
            if (b)
                s = "\\b " + s + "\\b0 ";
            if (i)
                s = "\\i " + s + "\\i0 ";
            body += s;
        });
        switch (para.kind) {
        case 'F':
            break; // the rich-text box shows no pictures
        case 'T':
            r += "\\pard\\qc\\sb120\\sa200\\cf1\\b\\fs36 " + body + "\\b0\\fs20\\cf0\\par\r\n";
            break;
        case 'H':
            r += "\\pard\\sb200\\sa80\\cf2\\b\\fs26 " + body + "\\b0\\fs20\\cf0\\par\r\n";
            break;
        case 'B':
            r += "\\pard\\fi-240\\li480\\sa60 " + rtfText(cp, QStringLiteral("●")) + "\\tab " +
                 body + "\\par\r\n";
            break;
        case 'C':
            r += "\\pard\\li720\\sa0\\f2\\cf3 " + body + "\\f0\\cf0\\par\r\n";
            break;
        case 'N':
            r += "\\pard\\qc\\sb240\\sa60\\cf1\\i " + body + "\\i0\\cf0\\par\r\n";
            break;
        default:
            r += "\\pard\\sa100 " + body + "\\par\r\n";
            break;
        }
    }
    r += "}\r\n";
    return QByteArray::fromStdString(r);
}

QString htmlEscape(const QString& s)
{
    return s.toHtmlEscaped();
}

QByteArray makeHtml()
{
    QString h;
    QTextStream o(&h);
    o << "<!DOCTYPE html>\n<html lang=\"zh-Hant\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<title>Tolvane99 使用說明</title>\n<style>\n"
      << "body{margin:0;background:#1c1f24;font-family:\"Noto Sans CJK TC\",\"Noto Sans "
         "TC\",sans-serif;"
         "color:#2a2e35;line-height:1.75}\n"
      << ".page{max-width:760px;margin:28px auto;background:linear-gradient(#f6f7f9,#e9ecf0);"
         "border-radius:14px;box-shadow:0 8px 30px rgba(0,0,0,.5);overflow:hidden}\n"
      << "header{background:linear-gradient(#5a5f68,#2c2f35);color:#eef3f8;padding:22px 30px 18px;"
         "border-bottom:2px solid #40aaff}\n"
      << "header h1{margin:0;font-size:26px;letter-spacing:1px}\n"
      << "header h1 span{font-style:italic;color:#8fd0ff}\n"
      << "main{padding:10px 34px 26px}\n"
      << "h2{color:#b03c14;font-size:18px;margin:26px 0 6px;padding-bottom:4px;border-bottom:1px "
         "solid #cfd5dc}\n"
      << "ul{padding-left:22px;margin:6px 0}\nli{margin:4px 0}\n"
      << "pre{background:#141a22;color:#e0f0f0;border-radius:8px;padding:10px 16px;"
         "font-family:\"Noto Sans Mono CJK TC\",monospace;font-size:14px}\n"
      << "em{color:#14467f}\n"
      << ".note{text-align:center;color:#14467f;font-style:italic;margin-top:28px}\n"
      << "figure{margin:18px 0;text-align:center}\n"
      << "figure img{max-width:100%;border-radius:6px;box-shadow:0 4px 14px rgba(0,0,0,.35)}\n"
      << "figcaption{font-size:13px;color:#60656d;margin-top:6px}\n"
      << "</style>\n</head>\n<body>\n<div class=\"page\">\n";
    auto inlineHtml = [](const QString& text) {
        QString s;
        runs(text, [&](const QString& run, bool b, bool i) {
            QString e = htmlEscape(run);
            if (i)
                e = "<em>" + e + "</em>";
            if (b)
                e = "<strong>" + e + "</strong>";
            s += e;
        });
        return s;
    };
    bool inList = false, inPre = false;
    for (const Para& para : readme()) {
        const QString text = QString::fromUtf8(para.text);
        if (para.kind != 'B' && inList) {
            o << "</ul>\n";
            inList = false;
        }
        if (para.kind != 'C' && inPre) {
            o << "</pre>\n";
            inPre = false;
        }
        switch (para.kind) {
        case 'T': {
            QString t = htmlEscape(text);
            t.replace(QStringLiteral("Tolvane99"), QStringLiteral("<span>Tolvane99</span>"));
            o << "<header><h1>" << t << "</h1></header>\n<main>\n";
            break;
        }
        case 'H':
            o << "<h2>" << inlineHtml(text) << "</h2>\n";
            break;
        case 'B':
            if (!inList)
                o << "<ul>\n";
            inList = true;
            o << "<li>" << inlineHtml(text) << "</li>\n";
            break;
        case 'C':
            o << (inPre ? "\n" : "<pre>") << htmlEscape(text);
            inPre = true;
            break;
        case 'N':
            o << "<p class=\"note\">" << inlineHtml(text) << "</p>\n";
            break;
        case 'F': {
            const QStringList parts = text.split('|');
            o << "<figure><img src=\"" << htmlEscape(parts.value(0)) << "\" alt=\""
              << htmlEscape(parts.value(1)) << "\"><figcaption>" << htmlEscape(parts.value(1))
              << "</figcaption></figure>\n";
            break;
        }
        default:
            o << "<p>" << inlineHtml(text) << "</p>\n";
        }
    }
    if (inList)
        o << "</ul>\n";
    if (inPre)
        o << "</pre>\n";
    o << "</main>\n</div>\n</body>\n</html>\n";
    o.flush();
    return h.toUtf8();
}

// ---------------------------------------------------------------------------

QColor invertForLabel(QRgb px)
{
    // The program colours a label with the inverse of the pixel under it,
    // low nibble of each channel cleared; printed here to check contrast.
    uint32_t c = (uint32_t(qBlue(px)) << 16) | (uint32_t(qGreen(px)) << 8) | qRed(px);
    uint32_t v = c == 0 ? 0xFFFFFF : ((c ^ 0xFFFFFF) % 0xFFFFFF) & 0xF0F0F0;
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

void report(const char* name, const QImage& img)
{
    const QRgb a = img.pixel(kLabel1.x + kLabel1.w / 2, kLabel1.y);
    const QRgb b = img.pixel(kLabel2[2].x + kLabel2[2].w / 2, kLabel2[2].y);
    std::printf("%-12s %dx%d  Label1 text %s  Label2(2) text %s\n", name, img.width(), img.height(),
                qPrintable(invertForLabel(a).name()), qPrintable(invertForLabel(b).name()));
}

void printLayout()
{
    auto row = [](const char* n, int i, const Box& b) {
        std::printf("%s(%d)\t%d\t%d\t%d\t%d\n", n, i, b.x, b.y, b.w, b.h);
    };
    for (int i = 0; i < 14; ++i)
        row("PicCtl", i, kPicCtl[i]);
    for (int i = 0; i < int(kPicNum.size()); ++i)
        row("PicNum", i, kPicNum[i]);
    for (int i = 0; i < 4; ++i)
        row("PicButton", i, kPicButton[i]);
    for (int i = 0; i < 3; ++i)
        row("Label2", i, kLabel2[i]);
    row("Label1", 0, kLabel1);
    row("Label3", 0, kLabel3);
    row("Image1", 0, kImage1);
}

bool checkLoads(const QString& path, int w, int h)
{
    QImageReader rd(path);
    QImage back = rd.read();
    if (back.isNull() || back.width() != w || back.height() != h) {
        std::fprintf(stderr, "%s does not load back: %s\n", qPrintable(path),
                     qPrintable(rd.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.contains("--layout")) {
        printLayout();
        return 0;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: make_resources <resources dir> [--preview <dir>]\n");
        return 2;
    }
    const QDir res(args[1]);
    QString preview;
    if (int i = args.indexOf("--preview"); i > 0 && i + 1 < args.size())
        preview = args[i + 1];
    for (const char* d : {"Desk", "Skin", "Button Mask", "Cut"})
        res.mkpath(d);
    bool ok = true;
    auto path = [&](const QString& rel) { return res.filePath(rel); };
    auto keepPreview = [&](const QImage& img, const char* name) {
        if (!preview.isEmpty())
            img.save(QDir(preview).filePath(QString(name) + ".png"), "png");
    };

    QImage tolvan = makeTolvan();
    ok &= saveJpeg(tolvan, path("Desk/Tolvan.JPG"), 90);
    ok &= checkLoads(path("Desk/Tolvan.JPG"), kSkinW, kSkinH);
    report("Tolvan.JPG", QImage(path("Desk/Tolvan.JPG")));
    keepPreview(QImage(path("Desk/Tolvan.JPG")), "Tolvan");

    QImage ocean = makeOcean();
    ok &= saveJpeg(ocean, path("Skin/Ocean.jpg"), 90);
    ok &= checkLoads(path("Skin/Ocean.jpg"), kSkinW, kSkinH);
    report("Ocean.jpg", QImage(path("Skin/Ocean.jpg")));
    keepPreview(QImage(path("Skin/Ocean.jpg")), "Ocean");

    std::vector<bool> keep;
    QImage jade = makeJade(keep);
    Indexed jadeIx = quantize(jade, 256, &keep, kJadeSurround, 0.7);
    ok &= writeFile(path("Skin/Jade.gif"), encodeGif(jadeIx));
    ok &= checkLoads(path("Skin/Jade.gif"), kJadeW, kJadeH);
    {
        // The outline is cut where pixels equal the top-left one: the
        // surround must be exactly that colour and nothing inside may be.
        QImage back(path("Skin/Jade.gif"));
        back = back.convertToFormat(QImage::Format_RGB32);
        const QRgb t = back.pixel(0, 0);
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                if ((back.pixel(x, y) == t) != !keep[size_t(y) * kJadeW + x]) {
                    std::fprintf(stderr, "Jade.gif: surround colour wrong at %d,%d\n", x, y);
                    ok = false;
                    y = back.height();
                    break;
                }
        report("Jade.gif", back);
        keepPreview(back, "Jade");
    }

    QImage amber = makeAmber();
    Indexed amberIx = quantize(amber, 256, nullptr, 0, 0.8);
    ok &= writeFile(path("Skin/Amber.bmp"), encodeBmp8(amberIx));
    ok &= checkLoads(path("Skin/Amber.bmp"), kSkinW, kSkinH);
    report("Amber.bmp", QImage(path("Skin/Amber.bmp")));
    keepPreview(QImage(path("Skin/Amber.bmp")), "Amber");

    for (const MaskShape& m : maskShapes()) {
        QImage mask = makeMask(m.shape, m.w, m.h, m.bevel);
        const QString p = path(QString("Button Mask/") + m.file);
        ok &= saveBmp24(mask, p);
        ok &= checkLoads(p, m.w, m.h);
        keepPreview(mask, m.file);
    }

    QImage cut = makeCutPlaceholder();
    ok &= saveBmp24(cut, path("Cut/cut-000.bmp"));
    ok &= checkLoads(path("Cut/cut-000.bmp"), cut.width(), cut.height());
    keepPreview(cut, "cut-000");

    ok &= writeFile(path("ReadMe.rtf"), makeRtf());
    ok &= writeFile(path("readme.htm"), makeHtml());
    return ok ? 0 : 1;
}
