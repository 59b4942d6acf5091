#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QListWidget;

namespace tolvane {

// The lines of one lyrics file in a list box, followed as the time goes on; the lines
// are kept beside the list so that a poll reads no widget items.
class LyricsLines
{
public:
    // Replaces the list's lines and selects the first.
    void Fill(QListWidget& list, const QStringList& lines);
    // Selects the line the elapsed time ("mm:ss:ff") has reached; returns that line
    // when it is another one than the last call reached.
    std::optional<int> Follow(QListWidget& list, const QString& posText);

    bool IsEmpty() const { return lines_.isEmpty(); }
    // A later line without a time tag.
    bool Malformed() const;
    // What a line says without its "mm:ss:ff" tag.
    QString Text(int line) const;

private:
    QStringList lines_;
    int reached_ = -1;
};

} // namespace tolvane
