#include "lyrics/LyricsPrint.h"

#include "app/Text.h"
#include "lyrics/LyricsReader.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <iterator>

namespace tolvane {

namespace {

constexpr double kItemPoints = 7.5;
constexpr double kTitlePoints = 10;
constexpr double kNamePoints = 32;
constexpr double kTagPoints = 14;
// Room beside and below each block, in points.
constexpr double kColumnGapPoints = 14;
constexpr double kRowGapPoints = 10;

// Latin letters and digits from a Latin face: in a PDF file the CJK face's digits lose
// their text, so the printed file could not be searched or copied from.
QFont PrintFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK TC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct Line
{
    QString text;
    const QFont* font;
    double ascent;
    double height;
};

// What one place on the page takes: a whole block, or a piece of a tall one.
struct Block
{
    QList<Line> lines;
    double width = 0;
    double height = 0;
};

// The file's name without its extension, as the block's title.
QString BlockTitle(const QString& dosPath)
{
    QString name = FileNamePart(dosPath);
    return name.size() > 4 ? name.chopped(4) : name;
}

// The last component of the folder that holds the file.
QString AlbumName(const QString& dosPath)
{
    return dosPath.section(QLatin1Char('\\'), -2, -2);
}

class Pages
{
public:
    Pages(QPagedPaintDevice& device, QPainter& painter)
        : device_(device), painter_(painter), width_(device.width()), height_(device.height()),
          columnGap_(kColumnGapPoints * device.logicalDpiX() / 72.0),
          rowGap_(kRowGapPoints * device.logicalDpiY() / 72.0),
          item_(PrintFont(kItemPoints, false)), title_(PrintFont(kTitlePoints, true)),
          name_(PrintFont(kNamePoints, true)), tag_(PrintFont(kTagPoints, false))
    {
    }

    int Count() const { return count_; }

    // The first page, or the next one; false when the device refused it.
    bool NewPage(const QString& album)
    {
        if (count_ > 0 && !device_.newPage())
            return false;
        ++count_;
        painter_.setClipRect(QRectF(0, 0, width_, height_));
        left_ = 0;
        top_ = Heading(album, true) + rowGap_;
        rowBottom_ = top_;
        empty_ = true;
        return true;
    }

    // The file's block as it is placed: split so that no piece is taller than the room
    // under a heading, each piece holding at least one line.
    QList<Block> Blocks(const QString& dosPath, const QStringList& items) const
    {
        const double room = height_ - Heading(AlbumName(dosPath), false) - rowGap_;
        QList<Block> blocks(1);
        auto add = [&](const QString& text, const QFont& font) {
            const QFontMetricsF metrics(font, &device_);
            Line line{text, &font, metrics.ascent(), metrics.height()};
            if (!blocks.last().lines.isEmpty() && blocks.last().height + line.height > room)
                blocks.append(Block());
            Block& block = blocks.last();
            block.lines.append(line);
            block.width = std::max(block.width, metrics.horizontalAdvance(text));
            block.height += line.height;
        };
        add(BlockTitle(dosPath), title_);
        for (const QString& item : items)
            add(QStringLiteral("  ") + item, item_);
        return blocks;
    }

    // Left to right, then a new row under the tallest block of the row, then a new
    // page. A block that does not fit an empty row or page is placed all the same.
    bool Place(const Block& block, const QString& album)
    {
        if (left_ > 0 && left_ + block.width > width_) {
            left_ = 0;
            top_ = rowBottom_ + rowGap_;
            rowBottom_ = top_;
        }
        if (top_ + block.height > height_ && !empty_ && !NewPage(album))
            return false;
        double y = top_;
        for (const Line& line : block.lines) {
            painter_.setFont(*line.font);
            painter_.drawText(QPointF(left_, y + line.ascent), line.text);
            y += line.height;
        }
        empty_ = false;
        left_ += block.width + columnGap_;
        rowBottom_ = std::max(rowBottom_, top_ + block.height);
        return true;
    }

private:
    // The heading's runs flow as words do, a run that does not fit going to a new
    // line; returns the heading's bottom.
    double Heading(const QString& album, bool paint) const
    {
        struct Run
        {
            QString text;
            const QFont* font;
        };
        const Run runs[] = {
            {QStringLiteral("Tolvane99   "), &name_},
            {QStringLiteral("世紀末超強DIY多媒體播放器       "), &tag_},
            {LyricsPrint::WebAddress(), &tag_},
            {QStringLiteral("   專集: ") + album, &tag_},
        };
        double top = 0;
        int first = 0;
        const int count = int(std::size(runs));
        while (first < count) {
            double x = 0, ascent = 0, descent = 0;
            int end = first;
            while (end < count) {
                const QFontMetricsF metrics(*runs[end].font, &device_);
                const double width = metrics.horizontalAdvance(runs[end].text);
                if (end > first && x + width > width_)
                    break;
                x += width;
                ascent = std::max(ascent, metrics.ascent());
                descent = std::max(descent, metrics.descent());
                ++end;
            }
            if (paint) {
                x = 0;
                for (int i = first; i < end; ++i) {
                    painter_.setFont(*runs[i].font);
                    painter_.drawText(QPointF(x, top + ascent), runs[i].text);
                    x += QFontMetricsF(*runs[i].font, &device_).horizontalAdvance(runs[i].text);
                }
            }
            top += ascent + descent;
            first = end;
        }
        return top;
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    const double width_, height_;
    const double columnGap_, rowGap_;
    const QFont item_, title_, name_, tag_;
    int count_ = 0;
    double left_ = 0, top_ = 0, rowBottom_ = 0;
    bool empty_ = true; // nothing placed under the page's heading yet
};

} // namespace

LyricsPrintResult LyricsPrint::Print(const QStringList& dosPaths, QPagedPaintDevice& device) const
{
    LyricsPrintResult result;
    if (dosPaths.isEmpty()) {
        result.ok = true;
        return result;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        result.error = QStringLiteral("無法開始列印");
        return result;
    }
    Pages pages(device, painter);
    // The heading of each page names the album of the file being printed.
    bool ok = pages.NewPage(AlbumName(dosPaths.first()));
    for (const QString& path : dosPaths) {
        for (const Block& block : pages.Blocks(path, LyricsReader::Read(files_, path)))
            ok = ok && pages.Place(block, AlbumName(path));
    }
    painter.end();
    result.pages = pages.Count();
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (!ok)
        result.error = QStringLiteral("無法開始新的一頁");
    else if (printer && printer->printerState() == QPrinter::Error)
        result.error = QStringLiteral("印表機發生錯誤");
    result.ok = result.error.isEmpty();
    return result;
}

} // namespace tolvane
