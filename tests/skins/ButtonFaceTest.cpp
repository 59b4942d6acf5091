#include "skins/ButtonFace.h"

#include <gtest/gtest.h>

#include <array>

using namespace tolvane;

namespace {

using Rgb = std::array<int, 3>;

Rgb Channels(QRgb c)
{
    return {qRed(c), qGreen(c), qBlue(c)};
}

QRgb Colour(const Rgb& c)
{
    return qRgb(c[0], c[1], c[2]);
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

FaceColors Settings(ColorKind kind, int red = 0, int green = 0, int blue = 0, int light = 0)
{
    FaceColors colors;
    colors.kind = kind;
    colors.bar[0] = red;
    colors.bar[1] = green;
    colors.bar[2] = blue;
    colors.bar[3] = light;
    return colors;
}

constexpr QRgb kOutside = qRgb(255, 0, 255);

// Shades one skin pixel through one mask pixel that lies inside the button.
Rgb Shade(const Rgb& skin, const Rgb& mask, const FaceColors& colors)
{
    const QRgb inside = Colour(mask);
    EXPECT_NE(inside, kOutside);
    QImage maskImage = Solid(2, 1, kOutside);
    maskImage.setPixel(1, 0, inside);
    const QImage face = MakeButtonFace(Solid(2, 1, Colour(skin)), QPoint(0, 0), maskImage, colors);
    return Channels(face.pixel(1, 0));
}

const Rgb kMidGrey = {128, 128, 128};

} // namespace

TEST(ButtonFaceNatural, MidGreyMaskKeepsTheSkinWithNoSettings)
{
    const FaceColors none = Settings(ColorKind::Natural);
    // 64 x 128 / 255 x 2 is about 64.25.
    EXPECT_EQ(Shade({64, 64, 64}, kMidGrey, none), (Rgb{64, 64, 64}));
    // 209 x 256 / 255 is about 209.82: rounded to nearest, not cut off.
    EXPECT_EQ(Shade({209, 209, 209}, kMidGrey, none), (Rgb{210, 210, 210}));
    EXPECT_EQ(Shade({0, 0, 0}, kMidGrey, none), (Rgb{0, 0, 0}));
}

TEST(ButtonFaceNatural, BrightSkinIsDarkenedByTwentyFirst)
{
    const FaceColors none = Settings(ColorKind::Natural);
    // 220 - 20 = 200; 200 x 256 / 255 is about 200.78.
    EXPECT_EQ(Shade({220, 220, 220}, kMidGrey, none), (Rgb{201, 201, 201}));
    // Average exactly 210 counts: 180.71, 190.75, 200.78.
    EXPECT_EQ(Shade({200, 210, 220}, kMidGrey, none), (Rgb{181, 191, 201}));
    // Average 209.67 does not: 209.82, 210.82, 210.82.
    EXPECT_EQ(Shade({209, 210, 210}, kMidGrey, none), (Rgb{210, 211, 211}));
}

TEST(ButtonFaceNatural, BrightnessIsJudgedAfterAmountsAndLight)
{
    // 200 + 10 = 210 reaches the threshold: 190 x 256 / 255 is about 190.75.
    EXPECT_EQ(Shade({200, 200, 200}, kMidGrey, Settings(ColorKind::Natural, 10, 10, 10)),
              (Rgb{191, 191, 191}));
    // The light bar is negated: -15 brightens by 15, 215 - 20 = 195 gives 195.76.
    EXPECT_EQ(Shade({200, 200, 200}, kMidGrey, Settings(ColorKind::Natural, 0, 0, 0, -15)),
              (Rgb{196, 196, 196}));
    // +15 darkens: 185 gives 185.73.
    EXPECT_EQ(Shade({200, 200, 200}, kMidGrey, Settings(ColorKind::Natural, 0, 0, 0, 15)),
              (Rgb{186, 186, 186}));
}

TEST(ButtonFaceNatural, AmountsGoToTheirOwnChannelWhateverTheirSign)
{
    // Red, green, blue amounts 10, 20, 30 on (10, 20, 30): 20.08, 40.16, 60.24.
    EXPECT_EQ(Shade({10, 20, 30}, kMidGrey, Settings(ColorKind::Natural, 10, 20, 30)),
              (Rgb{20, 40, 60}));
    EXPECT_EQ(Shade({10, 20, 30}, kMidGrey, Settings(ColorKind::Natural, -10, -20, -30)),
              (Rgb{20, 40, 60}));
    EXPECT_EQ(Shade({0, 0, 0}, kMidGrey, Settings(ColorKind::Natural, -40, 0, 0)), (Rgb{40, 0, 0}));
}

TEST(ButtonFaceNatural, EachMaskChannelShadesItsOwnSkinChannel)
{
    const FaceColors none = Settings(ColorKind::Natural);
    // 100 x 2 = 200; 100.39; 100 x 64 / 255 x 2 is about 50.2.
    EXPECT_EQ(Shade({100, 100, 100}, {255, 128, 64}, none), (Rgb{200, 100, 50}));
    EXPECT_EQ(Shade({100, 100, 100}, {64, 128, 255}, none), (Rgb{50, 100, 200}));
    // 100 x 192 / 255 x 2 is about 150.59.
    EXPECT_EQ(Shade({100, 100, 100}, {192, 192, 192}, none), (Rgb{151, 151, 151}));
    // A black mask pixel inside the button blacks the skin out.
    EXPECT_EQ(Shade({100, 150, 200}, {0, 0, 0}, none), (Rgb{0, 0, 0}));
}

TEST(ButtonFaceClamp, ResultsOutsideTheChannelRangeAreCutToIt)
{
    // 200 x 2 = 400 is written as 255.
    EXPECT_EQ(Shade({200, 200, 200}, {255, 255, 255}, Settings(ColorKind::Natural)),
              (Rgb{255, 255, 255}));
    // Light bar 100 takes 50 down to -50, about -50.2 after shading: 0.
    EXPECT_EQ(Shade({50, 50, 50}, kMidGrey, Settings(ColorKind::Natural, 0, 0, 0, 100)),
              (Rgb{0, 0, 0}));
    // Both ends in one pixel, light 50: 150 x 2 = 300 -> 255, -20 -> 0, 50 x 256 / 255 -> 50.
    EXPECT_EQ(Shade({200, 30, 100}, {255, 128, 128}, Settings(ColorKind::Natural, 0, 0, 0, 50)),
              (Rgb{255, 0, 50}));
    // Only the channel out of range is cut: 300 -> 255, then 100.39 and 50.2.
    EXPECT_EQ(Shade({200, 150, 100}, {255, 128, 128}, Settings(ColorKind::Natural, 0, 0, 0, 50)),
              (Rgb{255, 100, 50}));
    // Tinted results are clamped too: 300 - 20 = 280, 280 x 256 / 255 -> 255.
    EXPECT_EQ(Shade({0, 0, 0}, kMidGrey, Settings(ColorKind::Tinted, 0, 0, 0, -300)),
              (Rgb{255, 255, 255}));
}

TEST(ButtonFaceTinted, TintReplacesTheSkinColour)
{
    const FaceColors tint = Settings(ColorKind::Tinted, 100, 50, 0);
    // 100.39, 50.2, 0 whatever the skin.
    EXPECT_EQ(Shade({0, 0, 0}, kMidGrey, tint), (Rgb{100, 50, 0}));
    EXPECT_EQ(Shade({250, 10, 90}, kMidGrey, tint), (Rgb{100, 50, 0}));
    EXPECT_EQ(Shade({255, 255, 255}, kMidGrey, Settings(ColorKind::Tinted, -100, -50, 0)),
              (Rgb{100, 50, 0}));
}

TEST(ButtonFaceTinted, TintTakesLightBrightnessRuleAndMaskShading)
{
    // Light -60 brightens by 60: 60.24.
    EXPECT_EQ(Shade({200, 200, 200}, kMidGrey, Settings(ColorKind::Tinted, 0, 0, 0, -60)),
              (Rgb{60, 60, 60}));
    // A bright tint is darkened first: 230 - 20 = 210, about 210.82.
    EXPECT_EQ(Shade({0, 0, 0}, kMidGrey, Settings(ColorKind::Tinted, 230, 230, 230)),
              (Rgb{211, 211, 211}));
    // The mask shades the tint channel by channel: 100 x 2, 100.39, 50.2.
    EXPECT_EQ(Shade({7, 7, 7}, {255, 128, 64}, Settings(ColorKind::Tinted, 100, 100, 100)),
              (Rgb{200, 100, 50}));
}

TEST(ButtonFaceTransparent, MaskColoursInsideSkinOutside)
{
    const QImage skin = Gradient(6, 5);
    QImage mask = Solid(4, 3, kOutside);
    mask.setPixel(1, 1, qRgb(17, 200, 3));
    mask.setPixel(2, 1, qRgb(250, 250, 250));
    mask.setPixel(3, 2, qRgb(0, 0, 0));
    mask.setPixel(0, 2, qRgb(5, 6, 7)); // the first column and last row belong too

    // Bars and the brightness rule play no part.
    const QImage face =
        MakeButtonFace(skin, QPoint(1, 2), mask, Settings(ColorKind::Transparent, 90, -90, 40, 70));
    ASSERT_EQ(face.size(), mask.size());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const QRgb expected =
                mask.pixel(x, y) == kOutside ? skin.pixel(x + 1, y + 2) : mask.pixel(x, y);
            EXPECT_EQ(Channels(face.pixel(x, y)), Channels(expected)) << "at " << x << "," << y;
        }
    }
}

TEST(ButtonFaceOutside, TopLeftColourLeavesTheSkinWhateverTheKind)
{
    const QImage skin = Gradient(8, 8);
    QImage mask = Solid(5, 4, kOutside);
    // Inside pixels, with outside ones scattered among them.
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 5; ++x)
            if ((x + y) % 3 != 0)
                mask.setPixel(x, y, qRgb(40 * x, 50 * y, 200));

    for (ColorKind kind : {ColorKind::Natural, ColorKind::Tinted, ColorKind::Transparent}) {
        const QImage face =
            MakeButtonFace(skin, QPoint(2, 3), mask, Settings(kind, 60, 70, 80, -30));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const bool outside = mask.pixel(x, y) == kOutside;
                const bool same = face.pixel(x, y) == skin.pixel(x + 2, y + 3);
                EXPECT_EQ(same, outside) << "kind " << int(kind) << " at " << x << "," << y;
            }
        }
    }
}

TEST(ButtonFaceOutside, AnyTopLeftColourMarksTheOutsideAndOneChannelApartIsInside)
{
    const FaceColors tint = Settings(ColorKind::Tinted, 10, 10, 10);
    QImage mask = Solid(3, 1, qRgb(128, 128, 128));
    mask.setPixel(2, 0, qRgb(128, 128, 129));
    const QImage face = MakeButtonFace(Solid(3, 1, qRgb(90, 91, 92)), QPoint(0, 0), mask, tint);

    // The mid-grey that shades elsewhere is the outside here.
    EXPECT_EQ(Channels(face.pixel(0, 0)), (Rgb{90, 91, 92}));
    EXPECT_EQ(Channels(face.pixel(1, 0)), (Rgb{90, 91, 92}));
    // 10 x 128 / 255 x 2 is about 10.04; 10 x 129 / 255 x 2 about 10.12.
    EXPECT_EQ(Channels(face.pixel(2, 0)), (Rgb{10, 10, 10}));
}

TEST(ButtonFaceGeometry, FaceIsTheSkinRectangleUnderTheButton)
{
    const QImage skin = Gradient(40, 30);
    const QImage mask = Solid(7, 5, kOutside);
    const QImage face =
        MakeButtonFace(skin, QPoint(11, 13), mask, Settings(ColorKind::Natural, 50, 50, 50));
    ASSERT_EQ(face.size(), QSize(7, 5));
    EXPECT_EQ(face.format(), QImage::Format_RGB32);
    EXPECT_EQ(face, skin.copy(11, 13, 7, 5));
}

TEST(ButtonFaceGeometry, PartOffTheSkinIsBlack)
{
    const QImage skin = Gradient(10, 8);
    const QImage mask = Solid(5, 4, kOutside);

    const auto check = [&](QPoint at) {
        const QImage face = MakeButtonFace(skin, at, mask, Settings(ColorKind::Natural));
        ASSERT_EQ(face.size(), QSize(5, 4));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const QPoint p = at + QPoint(x, y);
                const QRgb expected = skin.rect().contains(p) ? skin.pixel(p) : qRgb(0, 0, 0);
                EXPECT_EQ(face.pixel(x, y), expected) << "at " << p.x() << "," << p.y();
            }
        }
    };
    check(QPoint(7, 6));   // over the bottom-right corner
    check(QPoint(-2, -3)); // over the top-left corner
    check(QPoint(-1, 2));  // over the left edge
    check(QPoint(20, 20)); // wholly off the skin
}

TEST(ButtonFaceGeometry, OffSkinPixelsInsideTheMaskAreShadedFromBlack)
{
    QImage mask = Solid(3, 1, kOutside);
    mask.setPixel(1, 0, qRgb(128, 128, 128));
    mask.setPixel(2, 0, qRgb(128, 128, 128));
    // Pixel 1 lies on the skin's last column, pixel 2 beyond it.
    const QImage face = MakeButtonFace(Solid(4, 1, qRgb(64, 64, 64)), QPoint(2, 0), mask,
                                       Settings(ColorKind::Natural, 50, 0, 0));
    // (64 + 50) x 256 / 255 is about 114.45; 50 x 256 / 255 about 50.2.
    EXPECT_EQ(Channels(face.pixel(1, 0)), (Rgb{114, 64, 64}));
    EXPECT_EQ(Channels(face.pixel(2, 0)), (Rgb{50, 0, 0}));
}

TEST(ButtonFaceGeometry, NullInputs)
{
    EXPECT_TRUE(MakeButtonFace(Gradient(4, 4), QPoint(0, 0), QImage(), Settings(ColorKind::Natural))
                    .isNull());

    QImage mask = Solid(2, 2, kOutside);
    mask.setPixel(1, 1, qRgb(128, 128, 128));
    const QImage face =
        MakeButtonFace(QImage(), QPoint(0, 0), mask, Settings(ColorKind::Tinted, 100, 0, 0));
    ASSERT_EQ(face.size(), QSize(2, 2));
    EXPECT_EQ(Channels(face.pixel(0, 0)), (Rgb{0, 0, 0}));
    EXPECT_EQ(Channels(face.pixel(1, 1)), (Rgb{100, 0, 0}));
}
