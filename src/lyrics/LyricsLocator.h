#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace tolvane {

class DosFiles;

// Where lyrics are looked for besides the media itself.
struct LyricsPlaces
{
    QString SongFolder;         // the lyrics capture folder ("SongTempDir")
    bool CreateFolders = false; // make the disc and album folders ("CreatSongDir")
    bool CdromDevice = false;   // the current device is a CD-ROM drive
    QString ProgramFolder;
};

struct LyricsPaths
{
    // The lyrics to load; when none exists, the text file expected (empty for a media
    // path shorter than four characters).
    QString LyricsFile;
    // The folder chosen for the disc's lyrics; empty when the file beside the media
    // was found, and the folder chosen before stays.
    QString LyricsFolder;
};

// Finds the lyrics of a media file or an audio track ("D:\Track03.cda"): the text file
// of the same name beside it, else one in the disc's folder under the lyrics folder,
// named by the volume serial, and in it the album's folder on a CD-ROM, made when
// asked to. When no text file exists, a ".lrc" file beside the media is taken.
class LyricsLocator
{
public:
    // The volume serial of a drive such as "D:"; none when it cannot be read.
    using SerialReader = std::function<std::optional<std::uint32_t>(const QString& drive)>;

    // Without a reader the serial comes from the drive itself.
    explicit LyricsLocator(const DosFiles& files, SerialReader serial = {});

    LyricsPaths Locate(const QString& mediaPath, const LyricsPlaces& places) const;

private:
    QString DiscFolderName(const QString& drive) const;

    const DosFiles& files_;
    SerialReader serial_;
};

} // namespace tolvane
