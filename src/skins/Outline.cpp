#include "skins/Outline.h"

#include <QPolygon>

namespace tolvane {

namespace {

// Two corners plus one point per scanned row or column.
constexpr int kSidePoints = kOutlineMaxSide + 2;

// The window shows colours, not alpha: two pixels of one colour are alike
// whatever their transparency.
constexpr QRgb kColourBits = 0x00ffffff;

// The picture as 32-bit rows, read straight from memory.
class Pixels
{
public:
    explicit Pixels(const QImage& rgb32)
        : bits_(reinterpret_cast<const QRgb*>(rgb32.constBits())),
          stride_(rgb32.bytesPerLine() / qsizetype(sizeof(QRgb))),
          background_(bits_[0] & kColourBits)
    {
    }

    const QRgb* Row(int y) const { return bits_ + y * stride_; }
    bool IsBackground(QRgb pixel) const { return (pixel & kColourBits) == background_; }
    bool IsBackground(int x, int y) const { return IsBackground(Row(y)[x]); }

private:
    const QRgb* bits_;
    qsizetype stride_;
    QRgb background_;
};

// Each side polygon runs from one corner along the first skin pixels seen
// from that side to the next corner, so it covers that side's margin.
void CutSide(QRegion& region, const QPolygon& side)
{
    region = region.subtracted(QRegion(side, Qt::OddEvenFill));
}

void CutLeft(QRegion& region, const Pixels& pixels, int xmax, int ymax, QPolygon& side)
{
    side.clear();
    side << QPoint(0, 0);
    for (int y = 0; y <= ymax; ++y) {
        const QRgb* row = pixels.Row(y);
        for (int x = 0; x < xmax; ++x) {
            if (!pixels.IsBackground(row[x])) {
                side << QPoint(x, y);
                break;
            }
        }
    }
    side << QPoint(0, ymax);
    CutSide(region, side);
}

void CutBottom(QRegion& region, const Pixels& pixels, int xmax, int ymax, QPolygon& side)
{
    side.clear();
    side << QPoint(0, ymax);
    for (int x = 0; x <= xmax; ++x) {
        for (int y = ymax; y > 0; --y) {
            if (!pixels.IsBackground(x, y)) {
                side << QPoint(x, y);
                break;
            }
        }
    }
    side << QPoint(xmax, ymax);
    CutSide(region, side);
}

void CutRight(QRegion& region, const Pixels& pixels, int xmax, int ymax, QPolygon& side)
{
    side.clear();
    side << QPoint(xmax, ymax);
    for (int y = ymax; y >= 0; --y) {
        const QRgb* row = pixels.Row(y);
        for (int x = xmax; x > 0; --x) {
            if (!pixels.IsBackground(row[x])) {
                side << QPoint(x, y);
                break;
            }
        }
    }
    side << QPoint(xmax, 0);
    CutSide(region, side);
}

void CutTop(QRegion& region, const Pixels& pixels, int xmax, int ymax, QPolygon& side)
{
    side.clear();
    side << QPoint(xmax, 0);
    for (int x = xmax; x >= 0; --x) {
        for (int y = 0; y < ymax; ++y) {
            if (!pixels.IsBackground(x, y)) {
                side << QPoint(x, y);
                break;
            }
        }
    }
    side << QPoint(0, 0);
    CutSide(region, side);
}

} // namespace

bool OutlineRegion(const QImage& picture, QRegion& region)
{
    if (picture.width() > kOutlineMaxSide || picture.height() > kOutlineMaxSide)
        return false;
    if (picture.isNull()) {
        region = QRegion();
        return true;
    }

    // GIF pictures come indexed; one conversion lets every pass read plain
    // colours, and two palette entries of one colour count as the same.
    const QImage rgb32 = picture.convertToFormat(QImage::Format_RGB32);
    const Pixels pixels(rgb32);
    const int xmax = rgb32.width() - 1;
    const int ymax = rgb32.height() - 1;

    QPolygon side;
    side.reserve(kSidePoints);
    side << QPoint(0, 0) << QPoint(xmax, 0) << QPoint(xmax, ymax) << QPoint(0, ymax);
    QRegion outline(side, Qt::OddEvenFill);

    CutLeft(outline, pixels, xmax, ymax, side);
    CutBottom(outline, pixels, xmax, ymax, side);
    CutRight(outline, pixels, xmax, ymax, side);
    CutTop(outline, pixels, xmax, ymax, side);

    region = outline;
    return true;
}

QRegion RectangleRegion(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QRegion();
    return QRegion(0, 0, width, height);
}

} // namespace tolvane
