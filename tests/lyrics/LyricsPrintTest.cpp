#include "lyrics/LyricsPrint.h"
#include "fakes/FakePlatform.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// Prints to a PDF file on A4 with 10 mm margins and reads it back with pdftotext.
class LyricsPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "poppler's pdftotext is missing";
    }

    // Files "SongN.txt" of a heading and `items` numbered lines of `width` ideographs,
    // the first `inFirst` in the folder 月亮專輯, the others in Other.
    QStringList Write(int count, int items, int width, int inFirst)
    {
        QStringList paths;
        for (int f = 1; f <= count; ++f) {
            const QString folder = f <= inFirst ? "C:\\月亮專輯" : "C:\\Other";
            QStringList lines{QString("Title %1").arg(f)};
            for (int i = 1; i <= items; ++i)
                lines << QString("%1 %2").arg(f * 1000 + i).arg(QString(width, u'歌'));
            written << QString("Song%1").arg(f) << lines;
            paths << folder + QString("\\Song%1.txt").arg(f);
            fake.files.MakeFolder(folder);
            EXPECT_TRUE(fake.files.WriteAll(paths.last(), lines.join("\r\n").toUtf8()));
        }
        return paths;
    }

    LyricsPrintResult Print(const QStringList& paths)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(pdf); // ".pdf" chooses the PDF format
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        return LyricsPrint(fake.files).Print(paths, printer);
    }

    // Each page's text lines in the order they were painted; pdftotext ends every page
    // with a form feed. An ideograph that is also a radical (月) comes back as the
    // radical: folded back.
    QList<QStringList> Pages() const
    {
        QProcess process;
        process.start("pdftotext", {"-raw", pdf, "-"});
        EXPECT_TRUE(process.waitForFinished(30000));
        QStringList texts = QString::fromUtf8(process.readAllStandardOutput())
                                .normalized(QString::NormalizationForm_KC)
                                .split('\f');
        texts.removeLast(); // after the last page's form feed
        QList<QStringList> pages;
        for (const QString& text : texts) {
            pages.append(text.split('\n'));
            for (QString& line : pages.last())
                line = line.simplified();
            pages.last().removeAll(QString());
        }
        return pages;
    }

    FakePlatform fake;
    QStringList written; // the blocks' titles and lines, as they are to be printed
    QString pdf = fake.dir.filePath("lyrics.pdf");
};

TEST_F(LyricsPrintTest, PagesFilledLeftToRightThenDownThenOnNewPages)
{
    struct Case
    {
        const char* what;
        int files, items, width, inFirst, pages;
    };
    // 18 ideographs make three blocks a row, 40 one; 28 lines two rows a page, 50 one.
    const Case cases[] = {
        {"one short file", 1, 3, 18, 1, 1},
        {"twelve small blocks on one page", 12, 3, 18, 12, 1},
        {"six blocks a page", 12, 28, 18, 6, 2},
        {"a block a page", 12, 50, 40, 5, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LyricsPrintResult result = Print(Write(c.files, c.items, c.width, c.inFirst));
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.pages, c.pages);
        const QList<QStringList> pages = Pages();
        ASSERT_EQ(pages.size(), c.pages);
        for (int page = 0; page < c.pages; ++page) {
            // The heading names the folder of the file that starts the page.
            const int first = page * c.files / c.pages + 1;
            const QString text = pages[page].join(' ');
            EXPECT_TRUE(text.startsWith("Tolvane99 世紀末超強DIY多媒體播放器")) << page;
            EXPECT_TRUE(
                text.contains("專集: " + QString(first <= c.inFirst ? "月亮專輯" : "Other")));
            EXPECT_TRUE(pages[page].contains(QString("Song%1").arg(first))) << page;
            EXPECT_FALSE(pages[page].contains(QString("Song%1").arg(first - 1))) << page;
        }
    }
}

TEST_F(LyricsPrintTest, TitlesAndItemsInFileOrderAndATallBlockSplitWithoutLoss)
{
    const QStringList paths = Write(3, 120, 10, 3);
    ASSERT_TRUE(fake.files.WriteAll("C:\\月亮專輯\\Big5.txt",
                                    "\xA4\xEB\xAB\x47\r\n00:01:00 \xBA\x71,00:02:00 b\r\n"));
    ASSERT_TRUE(Print(paths + QStringList{"C:\\月亮專輯\\Big5.txt"}).ok);
    QStringList printed;
    for (const QStringList& page : Pages())
        printed += page;
    printed.removeIf([](const QString& line) {
        return line.startsWith("Tolvane99") || line.contains("專集: ");
    });
    EXPECT_EQ(printed, written + QStringList({"Big5", "月亮", "00:01:00 歌", "00:02:00 b"}));
}

TEST_F(LyricsPrintTest, AFileThatCannotBeWrittenIsAnErrorWithoutPages)
{
    pdf = fake.dir.filePath("missing/lyrics.pdf");
    const LyricsPrintResult result = Print(Write(1, 3, 18, 1));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.pages, 0);
}

} // namespace
