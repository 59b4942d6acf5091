#pragma once

#include "app/MediaMode.h"

#include <QString>

class QWidget;

namespace tolvane {

class MciWindow;
class Context;
class Forms;
class PlaybackServices;
class SpeedSeek;
struct MediaContext;

// Decides what plays and starts it: items of the current media, the control-panel
// actions and the move to the next item when one ends.
class PlaybackController
{
public:
    PlaybackController(Context& context, Forms& forms, PlaybackServices& services,
                       SpeedSeek& speed);

    // Item n (from 1) of the current media.
    void PlayCd(int item);
    void PlayVCD(const QString& path);
    // Enters music-file mode after a scan found albums.
    void PlayMp31();
    // Song `song` (from 0) of an album folder, or the album itself when it is a file.
    void PlayMp3(const QString& album, int song);

    // The control panel's single entry.
    void ChkCD(PanelAction action);
    void ChkVCD(PanelAction action);
    void ChkMP3(PanelAction action);
    void Previous();
    void Next();
    // Run by each poll once it has read the position and length of a file.
    void CheckItemEnd();

    // Gives a window the topmost order or takes it away without activating it.
    static void StayOnTop(QWidget& window, bool on);

private:
    MciWindow& Active();
    void Step(PanelAction action);
    void EndOfVideo();
    void EndOfSong();
    void NextSong();
    void PlayAlbum(int index);
    QString AlbumSong(const QString& album, int song);
    void ApplyVolume();
    void ShowPoint();
    void ShowTime();
    void Delay(double seconds);
    void DoEvents();

    MediaContext& Media();

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    SpeedSeek& speed_;
};

} // namespace tolvane
