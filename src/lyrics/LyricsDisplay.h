#pragma once

#include "lyrics/LyricsLines.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tolvane {

class Context;
class Forms;
class FrmVCD;

// The lyrics of what plays, in the main window's lyrics list: found and loaded when a
// track or file starts, followed on each poll of the time display, shown whole or
// line by line in the text label on request.
class LyricsDisplay
{
public:
    LyricsDisplay(Context& context, Forms& forms);

    // Finds and loads the lyrics of a media path or an audio track ("D:\Track03.cda");
    // returns the lyrics file, or the one expected when none exists.
    QString LookUp(const QString& mediaPath);
    // No lyrics for what plays: the list keeps its lines but is no longer followed.
    void ClearLyricsPath();
    // One poll: selects the line the elapsed time ("mm:ss:ff") has reached.
    void Follow(const QString& posText);
    // The left button on the text label: the whole lyrics shown or hidden.
    void ToggleWhole();

    // A new line reached, the heading of lyrics just loaded, or empty for none.
    std::function<void(const QString& line)> lineReached;

private:
    void Fill(const QStringList& lines);
    void DressList();

    Context& context_;
    Forms& forms_;
    FrmVCD& Vcd();
    QString lyricsFile_;
    LyricsLines lines_;
};

} // namespace tolvane
