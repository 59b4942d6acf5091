#include "lyrics/LyricsSync.h"

namespace tolvane {

namespace {

constexpr qsizetype kTagWidth = 7; // "mm:ss:f": tags match to the first digit of the fraction

} // namespace

const QString LyricsSync::kError = QStringLiteral("歌詞錯誤");

LyricsStep LyricsSync::Follow(const QStringList& lines, int selected, const QString& posText,
                              bool check)
{
    LyricsStep step;
    const auto count = static_cast<int>(lines.size());
    if (check) {
        for (int i = count - 1; i >= 1; --i) {
            if (!lines[i].isEmpty() && !Tagged(lines[i])) {
                step.error = kError;
                return step;
            }
        }
    }
    const QStringView now = QStringView(posText).left(kTagWidth);
    int found = -1;
    // From the end, so of two equal tags the later one wins.
    for (int i = count - 1; i >= 1; --i) {
        if (Tagged(lines[i]) && QStringView(lines[i]).left(kTagWidth).compare(now) <= 0) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        if (count > 0)
            step.selects.append(0);
        return step;
    }
    if (found != selected) {
        // The next line first, so the list scrolls the one after into view too.
        if (found + 1 < count)
            step.selects.append(found + 1);
        step.selects.append(found);
    }
    step.line = found;
    return step;
}

} // namespace tolvane
