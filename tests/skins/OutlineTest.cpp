#include "skins/Outline.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <gtest/gtest.h>

#include <string>

using namespace tolvane;

namespace {

constexpr QRgb kBackground = 0xffff00ff;
constexpr QRgb kSkin = 0xff204060;
constexpr QRgb kOther = 0xffc0c0c0;

QImage Filled(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

void FillRect(QImage& picture, const QRect& rect, QRgb colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            picture.setPixel(x, y, colour);
}

double DistanceSquared(int x, int y, int cx, int cy)
{
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy;
}

// A disc of skin colour on background, drawn pixel by pixel so the test
// knows exactly which pixels belong to it.
QImage Disc(int width, int height, int cx, int cy, int radius)
{
    QImage picture = Filled(width, height, kBackground);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (DistanceSquared(x, y, cx, cy) <= double(radius) * radius)
                picture.setPixel(x, y, kSkin);
    return picture;
}

bool In(const QRegion& region, int x, int y)
{
    return region.contains(QPoint(x, y));
}

QRegion Outline(const QImage& picture)
{
    QRegion region;
    EXPECT_TRUE(OutlineRegion(picture, region));
    return region;
}

void ExpectDiscShape(const QRegion& region, int width, int height, int cx, int cy, int radius)
{
    // Pixels well inside the disc are in the window, pixels well outside it
    // show the desktop; the rim itself may go either way by one pixel.
    const double inner = double(radius - 2) * (radius - 2);
    const double outer = double(radius + 2) * (radius + 2);
    int wrongInside = 0, wrongOutside = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d = DistanceSquared(x, y, cx, cy);
            if (d <= inner && !In(region, x, y))
                ++wrongOutside;
            if (d >= outer && In(region, x, y))
                ++wrongInside;
        }
    }
    EXPECT_EQ(wrongOutside, 0) << "disc pixels left out of the window";
    EXPECT_EQ(wrongInside, 0) << "background pixels kept in the window";

    EXPECT_TRUE(In(region, cx, cy));
    EXPECT_FALSE(In(region, 0, 0));
    EXPECT_FALSE(In(region, width - 2, 0));
    EXPECT_FALSE(In(region, 0, height - 2));
    EXPECT_FALSE(In(region, width - 2, height - 2));

    const QRect discBox(cx - radius, cy - radius, 2 * radius + 1, 2 * radius + 1);
    EXPECT_TRUE(discBox.adjusted(-1, -1, 1, 1).contains(region.boundingRect()))
        << "outline reaches past the disc";
    EXPECT_TRUE(region.boundingRect().contains(discBox.adjusted(1, 1, -1, -1)))
        << "outline falls short of the disc";
}

} // namespace

TEST(OutlineShape, DiscOnBackgroundGivesADiscShapedWindow)
{
    ExpectDiscShape(Outline(Disc(160, 120, 80, 60, 45)), 160, 120, 80, 60, 45);
    // Off centre, so each side has a margin of its own width.
    ExpectDiscShape(Outline(Disc(200, 150, 70, 90, 50)), 200, 150, 70, 90, 50);
}

TEST(OutlineShape, PictureWithoutBackgroundKeepsTheWholeRectangle)
{
    // A disc on a plain margin, but the top-left pixel has a colour of its
    // own: only that colour is background, so the margin is skin too.
    const int width = 120, height = 90;
    QImage picture = Disc(width, height, 60, 45, 30);
    picture.setPixel(0, 0, kOther);
    const QRegion region = Outline(picture);

    // The starting polygon through the corner pixels stops short of the last
    // column and row; nothing else but the background corner pixel is cut.
    EXPECT_TRUE(RectangleRegion(width - 1, height - 1)
                    .subtracted(region)
                    .subtracted(QRegion(0, 0, 1, 1))
                    .isEmpty());
    EXPECT_TRUE(region.subtracted(RectangleRegion(width - 1, height - 1)).isEmpty());
    EXPECT_TRUE(In(region, width - 2, height - 2));
    EXPECT_TRUE(In(region, 1, 0));
    EXPECT_TRUE(In(region, 0, 1));
}

TEST(OutlineShape, EachSideCutsItsOwnMargin)
{
    // Different margins on every side, so a side traced from the wrong edge
    // or in the wrong direction shows; skin touching two opposite edges
    // leaves the other two sides to cut their margins right up to the edge.
    struct Margins
    {
        int left, top, right, bottom;
    };
    const Margins cases[] = {{3, 5, 7, 9}, {4, 0, 6, 0}, {0, 3, 0, 8}};
    const int width = 90, height = 70;
    for (const Margins& m : cases) {
        const int left = m.left, top = m.top, right = width - 1 - m.right,
                  bottom = height - 1 - m.bottom;
        QImage picture = Filled(width, height, kBackground);
        FillRect(picture, QRect(QPoint(left, top), QPoint(right, bottom)), kSkin);
        const QRegion region = Outline(picture);

        int marginKept = 0, skinLost = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool skin = x >= left && x <= right && y >= top && y <= bottom;
                if (!skin && In(region, x, y))
                    ++marginKept;
                // The skin's last column and row lie on the right and bottom
                // polygons' edges, which a polygon region leaves out.
                if (skin && x < right && y < bottom && !In(region, x, y))
                    ++skinLost;
            }
        }
        const std::string margins = std::to_string(m.left) + "," + std::to_string(m.top) + "," +
                                    std::to_string(m.right) + "," + std::to_string(m.bottom);
        EXPECT_EQ(marginKept, 0) << margins;
        EXPECT_EQ(skinLost, 0) << margins;
        EXPECT_TRUE(In(region, left, top)) << margins;
        EXPECT_FALSE(In(region, right, (top + bottom) / 2)) << margins;
        EXPECT_FALSE(In(region, (left + right) / 2, bottom)) << margins;
    }
}

TEST(OutlineShape, EnclosedBackgroundStaysInTheWindow)
{
    const int width = 120, height = 80;
    QImage picture = Filled(width, height, kBackground);
    const QRect skin(QPoint(4, 4), QPoint(width - 5, height - 5));
    FillRect(picture, skin, kSkin);
    // A horizontal bar through the middle that touches no side of the skin,
    // and a square hole.
    const QRect bar(QPoint(20, 38), QPoint(99, 42));
    const QRect hole(QPoint(30, 10), QPoint(40, 20));
    FillRect(picture, bar, kBackground);
    FillRect(picture, hole, kBackground);
    const QRegion region = Outline(picture);

    for (const QRect& inside : {bar, hole})
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ASSERT_TRUE(In(region, x, y)) << x << "," << y;
    EXPECT_FALSE(In(region, 2, 40));
    EXPECT_FALSE(In(region, width - 3, 40));
}

TEST(OutlineLimits, LargestPictureGetsItsOutline)
{
    const int side = kOutlineMaxSide;
    ASSERT_EQ(side, 1023);
    const QImage picture = Disc(side, side, 511, 511, 480);
    QRegion region(1, 1, 5, 5);
    ASSERT_TRUE(OutlineRegion(picture, region));
    EXPECT_TRUE(In(region, 511, 511));
    EXPECT_FALSE(In(region, 2, 2));
    EXPECT_FALSE(In(region, side - 3, side - 3));
    EXPECT_FALSE(In(region, 1, 1)) << "the previous region was not replaced";

    // Long and thin pictures are fine as long as neither side is too long.
    const QImage strip = Disc(side, 40, 511, 20, 15);
    QRegion stripRegion;
    ASSERT_TRUE(OutlineRegion(strip, stripRegion));
    EXPECT_TRUE(In(stripRegion, 511, 20));
    EXPECT_FALSE(In(stripRegion, 100, 20));
}

TEST(OutlineLimits, TooWideOrTooTallLeavesTheRegionAsItWas)
{
    const QRegion previous = QRegion(3, 4, 50, 60).united(QRegion(100, 100, 7, 7));
    const QSize sizes[] = {{1024, 1023}, {1023, 1024}, {1024, 1024}, {2000, 10}, {10, 2000}};
    for (const QSize& size : sizes) {
        const QImage picture =
            Disc(size.width(), size.height(), size.width() / 2, size.height() / 2, 4);
        QRegion region = previous;
        EXPECT_FALSE(OutlineRegion(picture, region)) << size.width() << "x" << size.height();
        EXPECT_EQ(region, previous) << size.width() << "x" << size.height();
    }
}

TEST(OutlineDegenerate, AllBackgroundPictureKeepsTheStartingRectangle)
{
    // No side finds any skin, so no margin is traced and nothing is cut.
    const int width = 50, height = 40;
    QRegion region(500, 500, 3, 3);
    ASSERT_TRUE(OutlineRegion(Filled(width, height, kBackground), region));
    EXPECT_EQ(region, RectangleRegion(width - 1, height - 1));
}

TEST(OutlineDegenerate, TinyAndEmptyPicturesStayInsideThePicture)
{
    const QSize sizes[] = {{1, 1}, {1, 50}, {50, 1}, {2, 2}, {2, 30}, {3, 3}};
    for (const QSize& size : sizes) {
        for (QRgb rest : {kBackground, kSkin}) {
            QImage picture = Filled(size.width(), size.height(), rest);
            picture.setPixel(0, 0, kBackground);
            QRegion region(900, 900, 2, 2);
            ASSERT_TRUE(OutlineRegion(picture, region)) << size.width() << "x" << size.height();
            EXPECT_TRUE(region.subtracted(RectangleRegion(size.width(), size.height())).isEmpty())
                << size.width() << "x" << size.height();
        }
    }

    QRegion region(900, 900, 2, 2);
    ASSERT_TRUE(OutlineRegion(QImage(), region));
    EXPECT_TRUE(region.isEmpty());
}

TEST(RectangleRegion, CoversExactlyEveryPixelOfThePicture)
{
    const QSize sizes[] = {{1, 1}, {275, 116}, {1023, 1023}, {1500, 20}};
    for (const QSize& size : sizes) {
        const int w = size.width(), h = size.height();
        const QRegion region = RectangleRegion(w, h);
        EXPECT_EQ(region.rectCount(), 1);
        EXPECT_EQ(region.boundingRect(), QRect(0, 0, w, h));
        EXPECT_TRUE(In(region, 0, 0));
        EXPECT_TRUE(In(region, w - 1, h - 1));
        EXPECT_FALSE(In(region, w, h - 1));
        EXPECT_FALSE(In(region, w - 1, h));
        EXPECT_FALSE(In(region, -1, 0));
    }
    EXPECT_TRUE(RectangleRegion(0, 10).isEmpty());
    EXPECT_TRUE(RectangleRegion(10, 0).isEmpty());
    EXPECT_TRUE(RectangleRegion(-5, 10).isEmpty());
}
