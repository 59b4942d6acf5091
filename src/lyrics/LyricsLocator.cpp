#include "lyrics/LyricsLocator.h"

#include "app/Text.h"
#include "platform/DosFiles.h"
#include "platform/VolumeSerial.h"

namespace tolvane {

namespace {

// The path with its last three characters replaced, as an extension would be.
QString WithEnding(const QString& path, const QString& ending)
{
    return path.left(path.size() - 3) + ending;
}

} // namespace

LyricsLocator::LyricsLocator(const DosFiles& files, SerialReader serial)
    : files_(files), serial_(std::move(serial))
{
    if (!serial_) {
        serial_ = [&files](const QString& drive) -> std::optional<std::uint32_t> {
            VolumeInformation info = VolumeSerial::Read(files.Drives(), drive + "\\");
            if (!info.ok)
                return std::nullopt;
            return info.serial;
        };
    }
}

QString LyricsLocator::DiscFolderName(const QString& drive) const
{
    // An unreadable volume counts as serial 0, as the disc's identity does.
    const std::optional<std::uint32_t> serial = serial_(drive);
    const QString digits = QString("%1").arg(serial.value_or(0), 8, 16, QChar('0')).toUpper();
    return digits.left(4) + "-" + digits.mid(4);
}

LyricsPaths LyricsLocator::Locate(const QString& mediaPath, const LyricsPlaces& places) const
{
    LyricsPaths paths;
    if (mediaPath.size() < 4)
        return paths;
    paths.LyricsFile = WithEnding(mediaPath, "txt");
    if (files_.FileExists(paths.LyricsFile))
        return paths;

    QString fileName = FileNamePart(mediaPath);
    if (fileName.size() > 3)
        fileName = WithEnding(fileName, "txt");
    const QString discFolder = PathJoin(places.SongFolder, DiscFolderName(mediaPath.left(2)));
    const QString folder = FolderPart(mediaPath);
    const qsizetype slash = folder.lastIndexOf('\\');
    // A track of an audio disc lies in the root: it has no album.
    const QString album = slash < 0 ? QString() : folder.mid(slash + 1);

    if (!places.CdromDevice || files_.FolderExists(discFolder)) {
        paths.LyricsFolder = discFolder;
    } else if (places.CreateFolders) {
        // Failures are left to show as a lyrics file that is never found.
        files_.MakeFolder(discFolder);
        paths.LyricsFolder = discFolder;
        if (!album.isEmpty()) {
            paths.LyricsFolder = PathJoin(discFolder, album);
            if (!files_.FolderExists(paths.LyricsFolder))
                files_.MakeFolder(paths.LyricsFolder);
        }
    } else {
        paths.LyricsFolder = places.ProgramFolder;
    }
    paths.LyricsFile = PathJoin(paths.LyricsFolder, fileName);

    if (!files_.FileExists(paths.LyricsFile)) {
        const QString lrc = WithEnding(mediaPath, "lrc");
        if (files_.FileExists(lrc))
            paths.LyricsFile = lrc;
    }
    return paths;
}

} // namespace tolvane
