#include "BenchPlatform.h"
#include "app/Text.h"
#include "lyrics/LyricsLines.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

// One tick of the time display may spend this much on the lyrics.
constexpr double kBudgetMicroseconds = 100;
constexpr int kLines = 5000;

// "mm:ss:ff" of a time in hundredths.
QString Tag(int hundredths)
{
    return ZeroPad(hundredths / 6000, 2) + ":" + ZeroPad(hundredths / 100 % 60, 2) + ":" +
           ZeroPad(hundredths % 100, 2);
}

// A 5,000-line lyrics file, a line every 0.7 s, followed tick by tick (half a second
// apart) in a shown list box, as the time display does while a song plays.
void BM_LyricsTick(benchmark::State& state)
{
    EnsureApplication();
    QStringList lines{"heading"};
    for (int i = 0; i < kLines; ++i)
        lines.append(Tag(i * 70) + " line " + QString::number(i));
    QListWidget list;
    list.setUniformItemSizes(true); // as the main window's lyrics list
    list.resize(300, 200);
    list.show();
    LyricsLines lyrics;
    lyrics.Fill(list, lines);
    int tick = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lyrics.Follow(list, Tag(tick * 50)));
        tick = (tick + 1) % (kLines * 7 / 5);
    }
    state.counters["budget_us"] = kBudgetMicroseconds;
}
BENCHMARK(BM_LyricsTick)->Unit(benchmark::kMicrosecond);

} // namespace
