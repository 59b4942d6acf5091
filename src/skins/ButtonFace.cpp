#include "skins/ButtonFace.h"

#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tolvane {

namespace {

constexpr QRgb kOpaque = 0xff000000u;
constexpr QRgb kColourBits = 0x00ffffffu;

// Copies the skin under the face; whatever lies beyond the skin stays black.
void CopySkin(const QImage& skin, QPoint topLeft, QImage& face)
{
    face.fill(QColor(Qt::black));
    const QRect wanted(topLeft, face.size());
    const QRect part = wanted.intersected(skin.rect());
    if (part.isEmpty())
        return;

    // Convert only the part we need: converting a whole skin per button would
    // cost more than the shading itself.
    const bool direct = skin.format() == QImage::Format_RGB32;
    const QImage converted =
        direct ? QImage() : skin.copy(part).convertToFormat(QImage::Format_RGB32);
    const QImage& source = direct ? skin : converted;
    const QPoint from = direct ? part.topLeft() : QPoint(0, 0);

    const int dx = part.left() - topLeft.x();
    const int dy = part.top() - topLeft.y();
    for (int row = 0; row < part.height(); ++row) {
        const auto* in =
            reinterpret_cast<const QRgb*>(source.constScanLine(from.y() + row)) + from.x();
        auto* out = reinterpret_cast<QRgb*>(face.scanLine(dy + row)) + dx;
        for (int col = 0; col < part.width(); ++col)
            out[col] = in[col] | kOpaque;
    }
}

} // namespace

// Arithmetic: the faces must equal those of the one-pixel-at-a-time rule, whose
// channels are 32-bit integers and whose float-to-integer stores round halves to even:
// - channel sums (skin + amount + light) are whole numbers (64-bit here, so
//   absurd scroll values cannot overflow);
// - the brightness check takes the average as a floating value, (c1+c2+c3)/3 >= 210
//   (for whole sums the same as c1+c2+c3 >= 630);
// - ci * (mi / 255) * 2 is evaluated in double in that order and stored rounding
//   halves to even (std::nearbyint, default rounding mode); no exact half occurs
//   for reachable values, but rounding to nearest rather than truncating matters;
// - clamping to 0..255 comes last.
// Only pixels inside the face are written: the rule's loop also visits one column
// and one row beyond the mask, which fall outside the button and never show.
QImage MakeButtonFace(const QImage& skin, QPoint topLeft, const QImage& mask,
                      const FaceColors& colors)
{
    if (mask.isNull())
        return QImage();

    const QImage shades =
        mask.format() == QImage::Format_RGB32 ? mask : mask.convertToFormat(QImage::Format_RGB32);
    const int width = shades.width();
    const int height = shades.height();

    QImage face(width, height, QImage::Format_RGB32);
    CopySkin(skin, topLeft, face);

    // mi / 255 for every mask value: the same doubles the per-pixel division gives.
    double factor[256];
    for (int m = 0; m < 256; ++m)
        factor[m] = m / 255.0;

    const std::int64_t light = -static_cast<std::int64_t>(colors.bar[3]);
    const std::int64_t amount[3] = {
        std::llabs(static_cast<std::int64_t>(colors.bar[0])),
        std::llabs(static_cast<std::int64_t>(colors.bar[1])),
        std::llabs(static_cast<std::int64_t>(colors.bar[2])),
    };

    const QRgb outside = shades.pixel(0, 0) & kColourBits;

    for (int y = 0; y < height; ++y) {
        const auto* maskRow = reinterpret_cast<const QRgb*>(shades.constScanLine(y));
        auto* faceRow = reinterpret_cast<QRgb*>(face.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb m = maskRow[x] & kColourBits;
            if (m == outside)
                continue;

            // Index 0 is red, 1 green, 2 blue: the low, middle and high byte of a
            // 0x00BBGGRR colour.
            const int mi[3] = {qRed(m), qGreen(m), qBlue(m)};
            const QRgb skinPixel = faceRow[x];
            std::int64_t c[3] = {qRed(skinPixel), qGreen(skinPixel), qBlue(skinPixel)};

            if (colors.kind == ColorKind::Transparent) {
                for (int i = 0; i < 3; ++i)
                    c[i] = mi[i];
            } else {
                for (int i = 0; i < 3; ++i)
                    c[i] = (colors.kind == ColorKind::Natural ? c[i] : 0) + amount[i] + light;
                if (static_cast<double>(c[0] + c[1] + c[2]) / 3 >= 210) {
                    for (auto& ci : c)
                        ci -= 20;
                }
                for (int i = 0; i < 3; ++i)
                    c[i] = static_cast<std::int64_t>(
                        std::nearbyint(static_cast<double>(c[i]) * factor[mi[i]] * 2));
            }

            int out[3];
            for (int i = 0; i < 3; ++i)
                out[i] = static_cast<int>(std::clamp<std::int64_t>(c[i], 0, 255));
            faceRow[x] = qRgb(out[0], out[1], out[2]);
        }
    }
    return face;
}

} // namespace tolvane
