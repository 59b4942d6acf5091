#include "lyrics/LyricsLines.h"

#include "lyrics/LyricsSync.h"

#include <QListWidget>

namespace tolvane {

void LyricsLines::Fill(QListWidget& list, const QStringList& lines)
{
    list.clear();
    lines_ = lines;
    reached_ = -1;
    if (lines_.isEmpty())
        return;
    list.addItems(lines_);
    list.setCurrentRow(0);
}

std::optional<int> LyricsLines::Follow(QListWidget& list, const QString& posText)
{
    if (lines_.isEmpty())
        return std::nullopt;
    const LyricsStep step = LyricsSync::Follow(lines_, list.currentRow(), posText, false);
    for (int row : step.selects)
        list.setCurrentRow(row);
    if (!step.line || *step.line == reached_)
        return std::nullopt;
    reached_ = *step.line;
    return reached_;
}

bool LyricsLines::Malformed() const
{
    return !LyricsSync::Follow(lines_, 0, QString(), true).error.isEmpty();
}

QString LyricsLines::Text(int line) const
{
    const QString& text = lines_.at(line);
    return LyricsSync::Tagged(text) ? text.mid(8).trimmed() : text;
}

} // namespace tolvane
