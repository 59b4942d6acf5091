#include "BenchPlatform.h"
#include "app/Text.h"
#include "forms/FrmFindMusic.h"
#include "shell/Player.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>

using namespace tolvane;

namespace {

constexpr int kAlbums = 50000;
constexpr int kSongsPerAlbum = 19; // 50,000 album lines among 1,000,000

// A catalogue of 1,000,000 lines in CP950 as the program writes it, made once: albums
// of twenty singers in five kinds, songs named from two of forty words.
struct Catalogue
{
    Catalogue()
    {
        EnsureApplication();
        QDir().mkpath(home + "/Tolvane99");
        const QStringList words = {"月亮", "愛情", "雨天", "星空", "思念", "海洋", "夢想", "城市",
                                   "回憶", "青春", "春天", "秋風", "黃昏", "晚安", "微笑", "眼淚",
                                   "離別", "相遇", "天使", "寂寞", "流浪", "故鄉", "花開", "白雲",
                                   "心碎", "約定", "永遠", "溫柔", "自由", "勇氣", "陽光", "彩虹",
                                   "森林", "小雨", "燈火", "山谷", "原野", "長夜", "明天", "歌聲"};
        const QStringList kinds = {"精選", "金曲", "原聲帶", "演唱會", "新歌"};
        const CodePage codePage;
        QList<QByteArray> encoded;
        for (const QString& word : words)
            encoded.append(codePage.EncodeLine(word));
        QByteArray bytes;
        bytes.reserve(40 << 20);
        quint32 seed = 12345;
        auto next = [&seed](quint32 range) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % range;
        };
        for (int album = 0; album < kAlbums; ++album) {
            const QString line = "<Dir> 歌手" + QString::number(album % 20) + "\\" +
                                 kinds[album % kinds.size()] + " " + QString::number(album) +
                                 "\t [MP3_" + ZeroPad(album % 1000, 3) + "(DISC" +
                                 QString::number(album / 10) + ")]";
            bytes += codePage.EncodeLine(line) + "\r\n";
            for (int song = 0; song < kSongsPerAlbum; ++song) {
                bytes += encoded[next(40)] + encoded[next(40)] + ' ' + QByteArray::number(song) +
                         ".mp3\r\n";
            }
        }
        QFile file(home + "/MusicLib.TXT");
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        size = bytes.size();
    }

    QTemporaryDir dir;
    QString home = dir.path();
    qint64 size = 0;
};

Catalogue& SharedCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

// The best of a few runs of grep -ci over the catalogue, byte for byte, in seconds;
// `lines` gets its count.
double GrepSeconds(const Catalogue& catalogue, const QString& query, qint64& lines)
{
    const QString pattern = catalogue.home + "/pattern";
    QFile file(pattern);
    file.open(QIODevice::WriteOnly);
    file.write(CodePage().EncodeLine(query) + "\n");
    file.close();
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        QProcess grep;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C");
        grep.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        grep.start("grep", {"-ci", "-f", pattern, catalogue.home + "/MusicLib.TXT"});
        grep.waitForFinished(-1);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
        lines = grep.readAllStandardOutput().trimmed().toLongLong();
    }
    return best;
}

// The search from the song book window, timed from the button to the filled result
// list, against grep -ci of the same query; then the results sorted by a column. A
// title finds a few hundred songs, a single word one in twenty.
void BM_Search(benchmark::State& state, CatalogueSearch::Kind kind, const char* query)
{
    Catalogue& catalogue = SharedCatalogue();
    NoDisc mci;
    MediaEngine engine;
    BenchPlatform base(catalogue.home, QString(), mci, engine);
    Player player(base.platform);
    player.context.app.SongBookCatalogFile = "C:\\MusicLib.TXT";
    FrmFindMusic& window = player.forms.FindMusic();
    window.Text1->setText(QString::fromUtf8(query));

    qint64 lines = 0;
    const double grep = GrepSeconds(catalogue, window.Text1->text(), lines);
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        player.songBookWindow.Search(kind);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    const qsizetype rows = window.ListView1->Rows()->rowCount();
    QElapsedTimer timer;
    timer.start();
    player.songBookWindow.ColumnClick(*window.ListView1, 0);
    const double sort = timer.nsecsElapsed() / 1e9;
    // The figures only count when both found the same; each line is one item.
    if (rows != lines || rows == 0)
        state.SkipWithError("the search and grep disagree");
    state.counters["rows"] = double(rows);
    state.counters["MB"] = double(catalogue.size) / (1 << 20);
    state.counters["grep_ms"] = grep * 1000;
    state.counters["sort_ms"] = sort * 1000;
    state.counters["ratio_to_grep"] = best / grep;
}
BENCHMARK_CAPTURE(BM_Search, song_title, CatalogueSearch::Songs, "月亮思念")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Search, song_word, CatalogueSearch::Songs, "月亮")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Search, album_number, CatalogueSearch::Albums, "演唱會 12")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Search, album_kind, CatalogueSearch::Albums, "演唱會")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
