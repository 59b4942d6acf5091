#include "skins/Outline.h"

#include <QImage>
#include <QRegion>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

using namespace tolvane;

namespace {

constexpr QRgb kBackground = 0xffff00ff;
constexpr QRgb kSkin = 0xff204060;
constexpr int kSide = kOutlineMaxSide;

// A round skin filling most of the largest picture that gets an outline.
QImage Disc()
{
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    picture.fill(kBackground);
    const int centre = kSide / 2, radius = kSide / 2 - 20;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if ((x - centre) * (x - centre) + (y - centre) * (y - centre) <= radius * radius)
                picture.setPixel(x, y, kSkin);
    return picture;
}

// Ragged edges on every side: every row and column ends somewhere else, so
// the side polygons and the region get as many steps as they can have.
QImage Ragged()
{
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    picture.fill(kBackground);
    std::uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % std::uint32_t(range));
    };
    for (int y = 1; y < kSide - 1; ++y) {
        const int from = 1 + next(200), to = kSide - 2 - next(200);
        for (int x = from; x <= to; ++x)
            picture.setPixel(x, y, kSkin);
    }
    for (int x = 1; x < kSide - 1; ++x) {
        const int cut = next(200);
        for (int y = 1; y < cut; ++y)
            picture.setPixel(x, y, kBackground);
        for (int y = kSide - 1 - next(200); y < kSide - 1; ++y)
            picture.setPixel(x, y, kBackground);
    }
    return picture;
}

// Nothing but background: every pass reads every pixel it may read.
QImage Blank()
{
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    picture.fill(kBackground);
    return picture;
}

void RunOutline(benchmark::State& state, const QImage& picture)
{
    for (auto _ : state) {
        QRegion region;
        const bool done = OutlineRegion(picture, region);
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(region);
    }
}

void BM_OutlineDisc(benchmark::State& state)
{
    RunOutline(state, Disc());
}

void BM_OutlineDiscIndexed(benchmark::State& state)
{
    // Skin pictures come as GIF, i.e. indexed; the conversion is part of the cost.
    RunOutline(state, Disc().convertToFormat(QImage::Format_Indexed8));
}

void BM_OutlineRagged(benchmark::State& state)
{
    RunOutline(state, Ragged());
}

void BM_OutlineBlank(benchmark::State& state)
{
    RunOutline(state, Blank());
}

} // namespace

BENCHMARK(BM_OutlineDisc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineDiscIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineRagged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineBlank)->Unit(benchmark::kMillisecond);
