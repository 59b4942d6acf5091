#include "skins/ButtonFace.h"

#include <gtest/gtest.h>

#include <array>

using namespace tolvane;

namespace {

using Rgb = std::array<int, 3>;
using enum ColorKind;

Rgb Channels(QRgb c)
{
    return {qRed(c), qGreen(c), qBlue(c)};
}

QImage Solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A skin whose every pixel tells where it is.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, (x * 7 + y * 3) & 0xff));
    return image;
}

constexpr QRgb kOutside = qRgb(255, 0, 255);
constexpr Rgb kGrey = {128, 128, 128};

} // namespace

// One skin pixel shaded through one mask pixel inside the button; bars are the
// red, green and blue amounts and the light bar.
TEST(ButtonFace, ShadesOneInsidePixel)
{
    struct Case
    {
        Rgb skin, mask, expected;
        ColorKind kind = Natural;
        std::array<int, 4> bars = {0, 0, 0, 0};
    };
    const Case cases[] = {
        // Mid grey keeps the skin: 64 x 128 / 255 x 2 is about 64.25; 209.82 rounds up.
        {{64, 64, 64}, kGrey, {64, 64, 64}},
        {{209, 209, 209}, kGrey, {210, 210, 210}},
        // Bright skin, average 210 or more, is darkened by 20 first; 209.67 is not bright.
        {{220, 220, 220}, kGrey, {201, 201, 201}},
        {{200, 210, 220}, kGrey, {181, 191, 201}},
        {{209, 210, 210}, kGrey, {210, 211, 211}},
        // Brightness is judged after the amounts and the (negated) light bar.
        {{200, 200, 200}, kGrey, {191, 191, 191}, Natural, {10, 10, 10, 0}},
        {{200, 200, 200}, kGrey, {196, 196, 196}, Natural, {0, 0, 0, -15}},
        {{200, 200, 200}, kGrey, {186, 186, 186}, Natural, {0, 0, 0, 15}},
        // Amounts go to their own channel whatever their sign.
        {{10, 20, 30}, kGrey, {20, 40, 60}, Natural, {10, 20, 30, 0}},
        {{10, 20, 30}, kGrey, {20, 40, 60}, Natural, {-10, -20, -30, 0}},
        // Each mask channel shades its own skin channel; black blacks it out.
        {{100, 100, 100}, {255, 128, 64}, {200, 100, 50}},
        {{100, 100, 100}, {192, 192, 192}, {151, 151, 151}},
        {{100, 150, 200}, {0, 0, 0}, {0, 0, 0}},
        // Results are cut to the channel range, channel by channel.
        {{200, 200, 200}, {255, 255, 255}, {255, 255, 255}},
        {{50, 50, 50}, kGrey, {0, 0, 0}, Natural, {0, 0, 0, 100}},
        {{200, 30, 100}, {255, 128, 128}, {255, 0, 50}, Natural, {0, 0, 0, 50}},
        {{200, 150, 100}, {255, 128, 128}, {255, 100, 50}, Natural, {0, 0, 0, 50}},
        {{0, 0, 0}, kGrey, {255, 255, 255}, Tinted, {0, 0, 0, -300}},
        // A tint replaces the skin, then takes the light, brightness rule and mask.
        {{250, 10, 90}, kGrey, {100, 50, 0}, Tinted, {100, 50, 0, 0}},
        {{255, 255, 255}, kGrey, {100, 50, 0}, Tinted, {-100, -50, 0, 0}},
        {{200, 200, 200}, kGrey, {60, 60, 60}, Tinted, {0, 0, 0, -60}},
        {{0, 0, 0}, kGrey, {211, 211, 211}, Tinted, {230, 230, 230, 0}},
        {{7, 7, 7}, {255, 128, 64}, {200, 100, 50}, Tinted, {100, 100, 100, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        QImage mask = Solid(2, 1, kOutside);
        mask.setPixel(1, 0, qRgb(c.mask[0], c.mask[1], c.mask[2]));
        const QImage skin = Solid(2, 1, qRgb(c.skin[0], c.skin[1], c.skin[2]));
        FaceColors colors{c.kind, {c.bars[0], c.bars[1], c.bars[2], c.bars[3]}};
        EXPECT_EQ(Channels(MakeButtonFace(skin, QPoint(0, 0), mask, colors).pixel(1, 0)),
                  c.expected);
    }
}

TEST(ButtonFace, OutsideKeepsTheSkinUnderTheButtonOrBlackOffItAndTransparentShowsTheMask)
{
    const QImage skin = Gradient(8, 8);
    // Any top-left colour marks the outside, here the mid-grey that shades elsewhere;
    // outside pixels lie among inside ones, first column and last row included.
    QImage mask(5, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            mask.setPixel(x, y,
                          (x + y) % 3 ? qRgb(40 * x + 5, 50 * y + 3, 200) : qRgb(128, 128, 128));
    mask.setPixel(4, 3, qRgb(128, 128, 129)); // one channel apart is inside

    // On the skin, over each corner and edge, and wholly off it.
    for (QPoint at : {QPoint(2, 3), QPoint(6, 5), QPoint(-2, -3), QPoint(-1, 2), QPoint(20, 20)}) {
        for (ColorKind kind : {Natural, Tinted, Transparent}) {
            // Bars and the brightness rule play no part in a transparent face.
            const QImage face = MakeButtonFace(skin, at, mask, {kind, {60, 70, 80, -30}});
            ASSERT_EQ(face.size(), mask.size());
            EXPECT_EQ(face.format(), QImage::Format_RGB32);
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const QPoint p = at + QPoint(x, y);
                    SCOPED_TRACE(testing::Message()
                                 << "kind " << int(kind) << " at " << p.x() << "," << p.y());
                    const QRgb under = skin.rect().contains(p) ? skin.pixel(p) : qRgb(0, 0, 0);
                    if (mask.pixel(x, y) == mask.pixel(0, 0))
                        EXPECT_EQ(face.pixel(x, y), under);
                    else if (kind == Transparent)
                        EXPECT_EQ(face.pixel(x, y), mask.pixel(x, y));
                    else
                        EXPECT_NE(face.pixel(x, y), under);
                }
            }
        }
    }
}

TEST(ButtonFace, OffSkinPixelsInsideTheMaskAreShadedFromBlack)
{
    QImage mask = Solid(3, 1, kOutside);
    mask.setPixel(1, 0, qRgb(128, 128, 128));
    mask.setPixel(2, 0, qRgb(128, 128, 128));
    // Pixel 1 lies on the skin's last column, pixel 2 beyond it.
    const QImage face =
        MakeButtonFace(Solid(4, 1, qRgb(64, 64, 64)), QPoint(2, 0), mask, {Natural, {50, 0, 0, 0}});
    EXPECT_EQ(Channels(face.pixel(1, 0)), (Rgb{114, 64, 64}));
    EXPECT_EQ(Channels(face.pixel(2, 0)), (Rgb{50, 0, 0}));

    // A null skin is all black; a null mask gives no face.
    const QImage noSkin = MakeButtonFace(QImage(), QPoint(0, 0), mask, {Tinted, {100, 0, 0, 0}});
    EXPECT_EQ(Channels(noSkin.pixel(0, 0)), (Rgb{0, 0, 0}));
    EXPECT_EQ(Channels(noSkin.pixel(1, 0)), (Rgb{100, 0, 0}));
    EXPECT_TRUE(MakeButtonFace(Gradient(4, 4), QPoint(0, 0), QImage(), {}).isNull());
}
