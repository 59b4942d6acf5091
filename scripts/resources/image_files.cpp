// Picture files: GIF and 8-bit BMP are encoded here, JPEG and 24-bit BMP
// through Qt; the indexed ones get their palette by median cut.

#include "resources.h"

#include <QFile>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace resources {

namespace {

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

} // namespace

// ---------------------------------------------------------------------------
// File writers.

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

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

Indexed quantize(const QImage& src, int colours, const std::vector<bool>* keep, QRgb reserved,
                 double ditherStrength)
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

} // namespace resources
