#pragma once

#include "discovery/SongBook.h"

#include <QString>
#include <QStringList>

namespace tolvane {

class Context;
class Forms;
class PlaybackController;
class PlaybackServices;
struct MusicScanHooks;

// Finding the CD-ROM drive, choosing the device and classifying what it holds.
class DiscDetection
{
public:
    DiscDetection(Context& context, Forms& forms, PlaybackServices& services,
                  PlaybackController& controller)
        : context_(context), forms_(forms), services_(services), controller_(controller)
    {
    }

    // Walks the settings window's drive list from its second entry; the last CD-ROM
    // drive found becomes the current device. Without one the device stays as it was.
    void FindCDROM();
    // The start mode of the settings window, run once the main window shows.
    void StartUpSearch();
    // A drive the desktop offered (a disc inserted, an image opened): it becomes the
    // current device and is classified, as the start's search of the CD-ROM drives does.
    void CheckOfferedDrive(const QString& drive);
    // Makes a drive ("D:", "d:\\Music") the current device with its type and VCD folder.
    void SetDevice(const QString& drive);
    // Classifies the media of the current device: Video CD, audio or mixed disc, music
    // files or nothing; plays it when asked to and auto-play after a search is on.
    void CheckCdrom(bool autoPlay);
    // The Video CD track files of the current device; fills VcdFiles unsorted.
    int CheckCdromName();
    // The files matching a pattern such as "D:\\Mpegav\\*.Dat", as full paths; lights
    // the number-pad digits of the files found on the current device's drive.
    QStringList ListFiles(const QString& pattern);
    // The song book the scan of a whole CD-ROM consults.
    SongBook& Book() { return songBook_; }

private:
    void Prepare();
    void ReadIdentity();
    // Each stage returns true when it decided the disc kind.
    bool CheckVideoCd(bool autoPlay);
    bool CheckAudioCd(bool autoPlay);
    void CheckMusicFiles(bool autoPlay);
    // The music tracks of a disc whose data session follows them (CD-Extra); 0 for
    // every other disc.
    int ExtraAudioTracks();
    void PlayAudioCd(const QString& caption, bool autoPlay);
    void Status(const QString& text);
    void StatusAndLog(const QString& text);
    bool AutoPlayAfterSearch() const;

    // The music scan's hooks onto the main window's lists and the song book.
    MusicScanHooks ScanHooks();

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    PlaybackController& controller_;
    // The music tracks of a CD-Extra, held while its data session is searched.
    int extraTracks_ = 0;
    SongBook songBook_{context_, forms_};
};

} // namespace tolvane
