#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct _CdIo;

namespace tolvane {

class DiscTrays;

// libcdio reports every probe of a missing drive as a warning on stderr; only its
// errors are worth a line, and those go to Qt's message log.
void QuietCdioLog();

// One track of a disc's table of contents; addresses are sectors (frames) from the
// start of the program area.
struct CdTrack
{
    int number = 0;
    int start = 0;
    int length = 0; // up to the next track's start, or the lead-out
    bool audio = true;
};

struct CdToc
{
    QList<CdTrack> tracks;
    int leadout = 0;

    const CdTrack* Find(int number) const;
    // The disc's audio tracks in order; data tracks are left out.
    QList<CdTrack> AudioTracks() const;
    // Where the file system begins: the first data track, which on a disc of music
    // with a data session after it (CD-Extra) is the last track. Nothing on a disc
    // of audio tracks only.
    std::optional<int> DataStart() const;
    // A track without a sector: an image whose data was cut short.
    bool CutShort() const;
};

// The files a disc image is read from: the image itself and, for a cue sheet, the BIN
// file of the same name beside it, which is what libcdio reads.
QStringList DiscImageFiles(const QString& image);
// Every file of the image is there and holds something.
bool DiscImagePresent(const QString& image);
// The image is there but cannot be played as it is: a data file is empty, or its table
// of contents has tracks past the end of its data.
bool DiscImageDamaged(const QString& image);

// A CD-ROM drive read through libcdio: a real drive (/dev/sr0) or a disc image
// (.cue/.bin, .toc, .nrg, and .iso/.img of 2048-byte sectors, which are read as
// files). An image drive has a virtual tray: open means no medium;
// with shared trays everyone sees the same one, otherwise the drive keeps its own.
class CdDrive
{
public:
    CdDrive(QString source, bool image, DiscTrays* trays = nullptr);
    ~CdDrive();
    CdDrive(const CdDrive&) = delete;
    CdDrive& operator=(const CdDrive&) = delete;

    // The image named by TOLVANE99_CDROM_IMAGE, otherwise the system's default drive.
    static QString SourceFromEnvironment(bool* image);
    static bool LooksLikeImage(const QString& path);
    // A fresh libcdio handle on a source; nullptr when it cannot be opened, as for
    // ISO images, which libcdio cannot read.
    static _CdIo* OpenHandle(const QString& source, bool image);

    const QString& Source() const { return source_; }
    bool IsImage() const { return image_; }
    DiscTrays* Trays() const { return trays_; }

    bool TrayOpen();
    bool OpenTray();
    bool CloseTray();
    // The table of contents of the medium in the drive; nothing without one.
    std::optional<CdToc> ReadToc();

private:
    _CdIo* Handle();
    void Release();
    void SetVirtualTray(bool open);

    QString source_;
    bool image_;
    DiscTrays* trays_;
    bool virtualTrayOpen_ = false;
    _CdIo* handle_ = nullptr;
};

} // namespace tolvane
