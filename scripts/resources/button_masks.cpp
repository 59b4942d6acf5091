// Button masks.  Outside the shape: the colour of the top-left pixel (black).
// Inside: grey shading factors, 128 keeps the skin's colour, lighter pixels
// brighten it, darker ones darken it.  No inside pixel is pure black, so the
// shape is never mistaken for its surround.

#include "resources.h"

#include <algorithm>
#include <cmath>

namespace resources {

namespace {

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

} // namespace

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

} // namespace resources
