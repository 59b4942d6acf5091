#include "skins/Outline.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace tolvane;

namespace {

constexpr QRgb kBackground = 0xffff00ff;
constexpr QRgb kSkin = 0xff204060;

QImage Filled(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

int DistanceSquared(int x, int y, int cx, int cy)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy);
}

// A disc of skin colour on background, drawn pixel by pixel so the test
// knows exactly which pixels belong to it.
QImage Disc(int width, int height, int cx, int cy, int radius)
{
    QImage picture = Filled(width, height, kBackground);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (DistanceSquared(x, y, cx, cy) <= radius * radius)
                picture.setPixel(x, y, kSkin);
    return picture;
}

// A skin rectangle on background, with background bars or holes inside it.
QImage Framed(int width, int height, QRect skin, std::initializer_list<QRect> holes = {})
{
    QImage picture = Filled(width, height, kBackground);
    QPainter painter(&picture);
    painter.fillRect(skin, QColor::fromRgb(kSkin));
    for (const QRect& hole : holes)
        painter.fillRect(hole, QColor::fromRgb(kBackground));
    return picture;
}

enum Expect { Out, In, Either };
using Oracle = std::function<Expect(int, int)>;

// Like any polygon region the outline leaves out the skin's last column and row.
Oracle Inside(QRect skin)
{
    return [=](int x, int y) {
        return skin.contains(x, y) && x < skin.right() && y < skin.bottom() ? In : Out;
    };
}

// The rim of a disc may go either way by one pixel.
Oracle InsideDisc(int cx, int cy, int r)
{
    return [=](int x, int y) {
        const int d = DistanceSquared(x, y, cx, cy);
        return d <= (r - 1) * (r - 1) ? In : d >= (r + 2) * (r + 2) ? Out : Either;
    };
}

} // namespace

TEST(Outline, WindowTakesTheShapeOfTheSkin)
{
    struct Case
    {
        const char* what;
        QImage picture;
        Oracle expect;
    };
    // Different margins on every side, so a side traced from the wrong edge or in
    // the wrong direction shows; skin touching two opposite edges leaves the other
    // two sides to cut their margins right up to the edge.
    const QRect margins[] = {QRect(0, 0, 90, 70).marginsRemoved({3, 5, 7, 9}),
                             QRect(0, 0, 90, 70).marginsRemoved({4, 0, 6, 0}),
                             QRect(0, 0, 90, 70).marginsRemoved({0, 3, 0, 8})};
    const QRect frame(QPoint(4, 4), QPoint(115, 75));
    const QRect bar(QPoint(20, 38), QPoint(99, 42));
    const QRect hole(QPoint(30, 10), QPoint(40, 20));
    QImage unframed = Disc(120, 90, 60, 45, 30);
    unframed.setPixel(0, 0, 0xffc0c0c0);

    const Case cases[] = {
        {"disc", Disc(160, 120, 80, 60, 45), InsideDisc(80, 60, 45)},
        {"disc off centre", Disc(200, 150, 70, 90, 50), InsideDisc(70, 90, 50)},
        {"margins 3,5,7,9", Framed(90, 70, margins[0]), Inside(margins[0])},
        {"margins 4,0,6,0", Framed(90, 70, margins[1]), Inside(margins[1])},
        {"margins 0,3,0,8", Framed(90, 70, margins[2]), Inside(margins[2])},
        // A bar touching no side of the skin and a hole stay in the window.
        {"enclosed background", Framed(120, 80, frame, {bar, hole}), Inside(frame)},
        // Only the top-left colour is background, so the margin is skin too.
        {"no background", unframed,
         [](int x, int y) { return x + y == 0 ? Either : Inside(QRect(0, 0, 120, 90))(x, y); }},
        // No side finds any skin, so nothing is cut.
        {"all background", Filled(50, 40, kBackground), Inside(QRect(0, 0, 50, 40))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QRegion region(500, 500, 3, 3);
        ASSERT_TRUE(OutlineRegion(c.picture, region));
        int wrong = 0;
        QPoint first;
        for (int y = 0; y < c.picture.height(); ++y) {
            for (int x = 0; x < c.picture.width(); ++x) {
                const Expect e = c.expect(x, y);
                if (e != Either && region.contains(QPoint(x, y)) != (e == In) && !wrong++)
                    first = QPoint(x, y);
            }
        }
        EXPECT_EQ(wrong, 0) << "first at " << first.x() << "," << first.y();
        EXPECT_FALSE(region.contains(QPoint(500, 500)));
    }
}

TEST(Outline, SidesUpTo1023GetAnOutlineLongerOnesLeaveTheRegionTinyOnesStayInside)
{
    QRegion region;
    ASSERT_TRUE(OutlineRegion(Disc(1023, 1023, 511, 511, 480), region));
    EXPECT_TRUE(region.contains(QPoint(511, 511)));
    EXPECT_FALSE(region.contains(QPoint(1020, 1020)));
    ASSERT_TRUE(OutlineRegion(Disc(1023, 40, 511, 20, 15), region));
    EXPECT_TRUE(region.contains(QPoint(511, 20)));
    EXPECT_FALSE(region.contains(QPoint(100, 20)));

    const QRegion previous = QRegion(3, 4, 50, 60).united(QRegion(100, 100, 7, 7));
    for (const QSize size :
         {QSize(1024, 1023), QSize(1023, 1024), QSize(2000, 10), QSize(10, 2000)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        QRegion kept = previous;
        EXPECT_FALSE(OutlineRegion(Disc(size.width(), size.height(), 5, 5, 4), kept));
        EXPECT_EQ(kept, previous);
    }

    // Tiny and empty pictures stay inside the picture.
    for (const QSize size :
         {QSize(1, 1), QSize(1, 50), QSize(50, 1), QSize(2, 2), QSize(2, 30), QSize(3, 3)}) {
        for (QRgb rest : {kBackground, kSkin}) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
            QImage picture = Filled(size.width(), size.height(), rest);
            picture.setPixel(0, 0, kBackground);
            QRegion tiny(900, 900, 2, 2);
            ASSERT_TRUE(OutlineRegion(picture, tiny));
            EXPECT_TRUE(tiny.subtracted(RectangleRegion(size.width(), size.height())).isEmpty());
        }
    }
    region = QRegion(900, 900, 2, 2);
    ASSERT_TRUE(OutlineRegion(QImage(), region));
    EXPECT_TRUE(region.isEmpty());
}
