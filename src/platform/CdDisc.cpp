#include "platform/CdDisc.h"

#include "platform/DiscSectors.h"
#include "platform/DiscTrays.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <memory>

namespace tolvane {

void QuietCdioLog()
{
    cdio_log_set_handler([](cdio_log_level_t level, const char message[]) {
        if (level >= CDIO_LOG_ERROR)
            qWarning("libcdio: %s", message);
    });
}

const CdTrack* CdToc::Find(int number) const
{
    for (const CdTrack& track : tracks) {
        if (track.number == number)
            return &track;
    }
    return nullptr;
}

std::optional<int> CdToc::DataStart() const
{
    for (const CdTrack& track : tracks) {
        if (!track.audio)
            return track.start;
    }
    return std::nullopt;
}

QList<CdTrack> CdToc::AudioTracks() const
{
    QList<CdTrack> audio;
    for (const CdTrack& track : tracks) {
        if (track.audio)
            audio.append(track);
    }
    return audio;
}

CdDrive::CdDrive(QString source, bool image, DiscTrays* trays)
    : source_(std::move(source)), image_(image), trays_(trays)
{
}

CdDrive::~CdDrive()
{
    Release();
}

QString CdDrive::SourceFromEnvironment(bool* image)
{
    QString path = qEnvironmentVariable("TOLVANE99_CDROM_IMAGE");
    if (!path.isEmpty()) {
        *image = true;
        return path;
    }
    *image = false;
    char* device = cdio_get_default_device(nullptr);
    QString result = device ? QString::fromLocal8Bit(device) : QStringLiteral("/dev/sr0");
    cdio_free(device);
    return result;
}

bool CdToc::CutShort() const
{
    return std::any_of(tracks.begin(), tracks.end(),
                       [](const CdTrack& track) { return track.length <= 0; });
}

QStringList DiscImageFiles(const QString& image)
{
    const QString suffix = QFileInfo(image).suffix();
    if (suffix.compare("cue", Qt::CaseInsensitive) != 0)
        return {image};
    const QString bin = suffix == suffix.toUpper() ? "BIN" : "bin";
    return {image, image.left(image.size() - suffix.size()) + bin};
}

bool DiscImagePresent(const QString& image)
{
    const QStringList files = DiscImageFiles(image);
    return std::all_of(files.begin(), files.end(), [](const QString& file) {
        QFileInfo info(file);
        return info.isFile() && info.size() > 0;
    });
}

bool DiscImageDamaged(const QString& image)
{
    const QStringList files = DiscImageFiles(image);
    if (!QFileInfo(image).isFile())
        return false;
    for (const QString& file : files) {
        QFileInfo info(file);
        if (!info.isFile() || info.size() == 0)
            return true;
    }
    std::unique_ptr<DiscSectors> disc = DiscSectors::Open(image, true);
    if (!disc)
        return true;
    return !disc->Toc();
}

bool CdDrive::LooksLikeImage(const QString& path)
{
    QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "cue" || suffix == "bin" || suffix == "toc" || suffix == "nrg" ||
           suffix == "iso" || suffix == "img";
}

namespace {

// Whether a cue sheet has lines "TRACK nn mode", the keyword as libcdio compares it,
// numbered from 1 one after another, as the tracks of a disc are: libcdio 2.1 places
// each track by its number less the first one's and reads outside its table of tracks
// for a first track from 68 up or a number below the first.
bool CueSheetTracksInOrder(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    int count = 0;
    while (!file.atEnd()) {
        const QList<QByteArray> words = file.readLine(4096).simplified().split(' ');
        if (words.size() < 3 || words[0] != "TRACK")
            continue;
        bool number = false;
        const int track = words[1].toInt(&number);
        if (!number || track != count + 1 || track > 99)
            return false;
        ++count;
    }
    return count > 0;
}

} // namespace

CdIo_t* CdDrive::OpenHandle(const QString& source, bool image)
{
    QByteArray path = QFile::encodeName(source);
    if (!image)
        return cdio_open(path.constData(), DRIVER_DEVICE);
    QString suffix = QFileInfo(source).suffix().toLower();
    if (suffix == "iso" || suffix == "img")
        return nullptr;
    driver_id_t driver = DRIVER_BINCUE;
    if (suffix == "toc")
        driver = DRIVER_CDRDAO;
    else if (suffix == "nrg")
        driver = DRIVER_NRG;
    // A folder disc has no sectors to read.
    QFileInfo info(source);
    if (!info.exists() || info.isDir())
        return nullptr;
    // libcdio 2.1 opens a cue sheet without a track as a disc of none, writing its
    // lead-out before its table of tracks and leaking what it parsed, and reads outside
    // that table for tracks out of order.
    if (suffix == "cue" && !CueSheetTracksInOrder(source))
        return nullptr;
    return cdio_open(path.constData(), driver);
}

CdIo_t* CdDrive::Handle()
{
    if (!handle_)
        handle_ = OpenHandle(source_, image_);
    return handle_;
}

void CdDrive::Release()
{
    if (handle_)
        cdio_destroy(handle_);
    handle_ = nullptr;
}

bool CdDrive::TrayOpen()
{
    if (image_)
        return trays_ ? trays_->IsOpen(source_) : virtualTrayOpen_;
    CdIo_t* handle = Handle();
    return handle && mmc_get_tray_status(handle) == 1;
}

bool CdDrive::OpenTray()
{
    if (image_) {
        Release();
        SetVirtualTray(true);
        return true;
    }
    CdIo_t* handle = Handle();
    if (!handle)
        return false;
    // libcdio frees the handle and clears it when the tray opens.
    driver_return_code_t rc = cdio_eject_media(&handle_);
    return rc == DRIVER_OP_SUCCESS;
}

bool CdDrive::CloseTray()
{
    if (image_) {
        SetVirtualTray(false);
        return true;
    }
    Release();
    QByteArray path = QFile::encodeName(source_);
    driver_id_t driver = DRIVER_DEVICE;
    return cdio_close_tray(path.constData(), &driver) == DRIVER_OP_SUCCESS;
}

void CdDrive::SetVirtualTray(bool open)
{
    if (trays_)
        trays_->SetOpen(source_, open);
    else
        virtualTrayOpen_ = open;
}

std::optional<CdToc> CdDrive::ReadToc()
{
    if (image_ && TrayOpen())
        return std::nullopt;
    // A real drive's medium may have changed since the handle was opened.
    if (!image_)
        Release();
    std::unique_ptr<DiscSectors> disc = DiscSectors::Open(source_, image_);
    return disc ? disc->Toc() : std::nullopt;
}

} // namespace tolvane
