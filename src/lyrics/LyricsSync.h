#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tolvane {

// What one tick of the time display does to the lyrics list.
struct LyricsStep
{
    QList<int> selects;      // the lines to select, in this order
    std::optional<int> line; // the line reached; none before the first tag
    QString error;           // "歌詞錯誤" for a malformed list, checked on request
};

// Follows the elapsed time through the lyrics: line 0 is the heading, each later line
// starts with an "mm:ss:ff" tag compared as text, to its seventh character, with the
// elapsed-time text. Runs twice a second over the whole list, so it works on the data
// alone and allocates nothing per line.
class LyricsSync
{
public:
    static const QString kError;
    // A line that starts with a time tag: its third character is ":".
    static bool Tagged(const QString& line) { return line.size() >= 3 && line[2] == ':'; }

    // `selected` is the list's current selection (-1 for none), `posText` the elapsed
    // time as "mm:ss:ff". With `check`, a later line without a tag is an error.
    static LyricsStep Follow(const QStringList& lines, int selected, const QString& posText,
                             bool check);
};

} // namespace tolvane
