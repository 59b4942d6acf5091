#pragma once

#include <QFont>
#include <QImage>
#include <QSet>
#include <QString>

namespace tolvane {

class Context;
class Forms;

// The background-picture show: the pictures of the background folder, one at a time,
// in the main window's picture area, scaled to it with their aspect kept. The picture
// changes on each tick of TimerBMP (every "ShowTime" seconds, while an item without
// lyrics plays) or, when the lyrics lead ("對著歌詞更換圖片"), with each new lyrics
// line; in MTV mode the line reached is written over the picture. Nothing is shown
// while "自動更換背景圖片" is off, and a picture that cannot be read is passed over.
class PictureShow
{
public:
    // Pictures tried at most for one change, so a folder of unreadable files costs
    // each change only so much.
    static constexpr int kTriesPerChange = 8;

    PictureShow(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    // Lists the background folder; its first picture becomes the current one.
    void ReadFolder();
    // Draws the current picture into the picture area and shows the area when the
    // settings and what plays allow it.
    void ShowCurrent();
    // The playback procedures: an item without lyrics starts (true), or one with
    // lyrics, or nothing plays (false).
    void SetTimer(bool noLyrics);
    // A tick of TimerBMP: the next picture.
    void TimerBMP_Timer();
    // A lyrics line reached (or a new item's heading, or no lyrics: empty).
    void LyricsLine(const QString& text);
    // The settings window was confirmed: the folder, the switches and the interval
    // may have changed.
    void SettingsChanged();

    // The picture fitted and centred on black in an area of `size`, with `line` over
    // its lower part in `font`, outlined, as a karaoke video shows it.
    static QImage Compose(const QImage& picture, QSize size, const QString& line,
                          const QFont& font);

    const QString& Current() const;

private:
    bool On() const;
    bool LyricsLead() const;
    bool MtvMode() const;
    // Moves to the next readable picture; false when none was found.
    bool Next();
    QImage Load(const QString& path) const;

    Context& context_;
    Forms& forms_;
    bool wanted_ = false; // an item without lyrics plays
    QString line_;        // the lyrics line written over the picture
    QImage picture_;      // the current picture, fitted to the area
    QString loaded_;      // its path
    QSet<QString> unreadable_;
    bool folderGoneLogged_ = false;
};

} // namespace tolvane
