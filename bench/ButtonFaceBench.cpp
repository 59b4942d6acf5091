#include "skins/ButtonFace.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace tolvane;

namespace {

constexpr QRgb kMaskOutside = 0xffffffff;

struct Button
{
    QPoint at;
    QSize size;
};

// A busy 640x480 skin, so no pixel is like its neighbour.
QImage Skin()
{
    QImage picture(640, 480, QImage::Format_RGB32);
    std::uint32_t seed = 2024;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            row[x] = qRgb((x + (seed >> 24)) & 0xff, (y + (seed >> 16)) & 0xff, (x + y) & 0xff);
        }
    }
    return picture;
}

// A rounded button with a lit top-left and a shaded bottom-right, outside white.
QImage Mask(QSize size)
{
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(kMaskOutside);
    const double rx = size.width() / 2.0, ry = size.height() / 2.0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
            if (std::pow(std::abs(dx), 4) + std::pow(std::abs(dy), 4) > 1)
                continue;
            const int shade = int(128 - 60 * (dx + dy) / 2);
            mask.setPixel(x, y, qRgb(shade, shade, shade));
        }
    }
    return mask;
}

// The 29 buttons of a main window: 14 control buttons, 11 number keys, 4 function buttons.
std::vector<Button> Buttons()
{
    std::vector<Button> buttons;
    for (int i = 0; i < 14; ++i)
        buttons.push_back({QPoint(20 + i * 43, 420), QSize(40, 30)});
    for (int i = 0; i < 11; ++i)
        buttons.push_back({QPoint(60 + i * 33, 370), QSize(30, 30)});
    for (int i = 0; i < 4; ++i)
        buttons.push_back({QPoint(300 + i * 64, 20), QSize(60, 30)});
    return buttons;
}

void RunFaces(benchmark::State& state, const QImage& skin, const FaceColors& colors)
{
    const std::vector<Button> buttons = Buttons();
    std::vector<QImage> masks;
    for (const Button& button : buttons)
        masks.push_back(Mask(button.size));

    for (auto _ : state) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            QImage face = MakeButtonFace(skin, buttons[i].at, masks[i], colors);
            benchmark::DoNotOptimize(face);
        }
    }
    state.counters["buttons"] = double(buttons.size());
}

FaceColors Colors(ColorKind kind)
{
    FaceColors colors;
    colors.kind = kind;
    colors.bar[0] = -40;
    colors.bar[1] = -90;
    colors.bar[2] = -160;
    colors.bar[3] = -10;
    return colors;
}

void BM_ButtonFacesNatural(benchmark::State& state)
{
    RunFaces(state, Skin(), Colors(ColorKind::Natural));
}

void BM_ButtonFacesTinted(benchmark::State& state)
{
    RunFaces(state, Skin(), Colors(ColorKind::Tinted));
}

void BM_ButtonFacesTransparent(benchmark::State& state)
{
    RunFaces(state, Skin(), Colors(ColorKind::Transparent));
}

void BM_ButtonFacesIndexedSkin(benchmark::State& state)
{
    // GIF skins load indexed; each face converts only its own rectangle.
    RunFaces(state, Skin().convertToFormat(QImage::Format_Indexed8), Colors(ColorKind::Natural));
}

} // namespace

BENCHMARK(BM_ButtonFacesNatural)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ButtonFacesTinted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ButtonFacesTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ButtonFacesIndexedSkin)->Unit(benchmark::kMillisecond);
