#include "ui/DesktopOpen.h"

#include "app/Context.h"
#include "app/Text.h"
#include "discovery/DiscDetection.h"
#include "discovery/MusicScan.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"
#include "lyrics/ListFile.h"
#include "platform/CommandLine.h"
#include "platform/LocalFolders.h"
#include "platform/LocalNames.h"
#include "ui/PlayListWindow.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kRetryMs = 250;

void SortNames(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

} // namespace

DesktopOpen::DesktopOpen(Context& context, Forms& forms, DiscDetection& detection,
                         PlayListWindow& playList)
    : context_(context), forms_(forms), detection_(detection), playList_(playList)
{
    retry_.setSingleShot(true);
    QObject::connect(&retry_, &QTimer::timeout, &retry_, [this] { OpenPending(); });
}

bool DesktopOpen::Busy() const
{
    return opening_ || context_.playback.TimeBusy || !forms_.IsLoaded(Window::Vcd) ||
           !forms_.Vcd().isEnabled();
}

void DesktopOpen::Open(const QStringList& localPaths)
{
    if (localPaths.isEmpty())
        return;
    pending_.append(localPaths);
    // From the event loop: the request comes inside another copy's call, which is
    // answered first.
    retry_.start(0);
}

void DesktopOpen::OpenPending()
{
    while (!pending_.isEmpty() && !context_.Ended()) {
        if (Busy()) {
            retry_.start(kRetryMs);
            return;
        }
        OpenNow(pending_.takeFirst());
    }
}

void DesktopOpen::OpenNow(const QStringList& localPaths)
{
    opening_ = true;
    DriveMap& drives = context_.platform.drives;
    QStringList given;
    for (const QString& local : localPaths) {
        const QString root = DiscRootOf(local, mounts);
        if (root.isEmpty()) {
            const QString dos = drives.ToDos(local);
            context_.log.LogWrite("開啟-" + (dos.isEmpty() ? DisplayPath(local) : dos));
            if (!dos.isEmpty())
                given.append(dos);
            continue;
        }
        // A disc is the whole request: it is classified and played alone.
        const QChar letter = drives.DiscDrive(root);
        context_.log.LogWrite("開啟光碟-" + DisplayPath(root));
        if (letter.isNull()) {
            context_.log.LogWrite("沒有可用的磁碟機代號");
            continue;
        }
        detection_.CheckOfferedDrive(QString(letter) + ":");
        opening_ = false;
        return;
    }
    QStringList files;
    for (const QString& dos : std::as_const(given)) {
        files += FilesOf(dos);
        if (context_.Ended()) {
            opening_ = false;
            return;
        }
    }
    if (files.isEmpty()) {
        if (!given.isEmpty()) {
            forms_.Vcd().Label1->setText("沒有可播放的檔案");
            context_.log.LogWrite("沒有可播放的檔案");
        }
    } else {
        playList_.PlayFiles(files);
    }
    opening_ = false;
}

QStringList DesktopOpen::FilesOf(const QString& dosPath)
{
    const DosFiles& files = context_.platform.files;
    if (files.FolderExists(dosPath))
        return FolderFiles(dosPath);
    if (!files.FileExists(dosPath))
        return {};
    if (ExtName(dosPath) != "m3u")
        return {dosPath};
    QByteArray bytes;
    if (!files.ReadAll(dosPath, bytes))
        return {};
    QStringList entries = ListFile::Parse(context_.platform.drives, dosPath, bytes);
    entries.removeAll(QString());
    return entries;
}

QStringList DesktopOpen::FolderFiles(const QString& dosFolder)
{
    const QStringList filters = MusicScan::Filters(context_.app.SearchPattern);
    const QString types = context_.app.SearchPattern.toUpper();
    LocalFolders folders(context_.platform.files);
    folders.Begin();
    // A large tree is walked with the window held, as a scan holds it, and its events
    // let run now and then.
    FrmVCD& vcd = forms_.Vcd();
    const bool enabled = vcd.isEnabled();
    vcd.setEnabled(false);
    ScanPace pace;
    QStringList found;
    QStringList stack{dosFolder};
    while (!stack.isEmpty() && !context_.Ended()) {
        const QString folder = stack.takeLast();
        FolderListing listing;
        if (folders.List(folder, listing) != LocalFolders::Listed)
            continue;
        // The listing gives folders by name and files in the order the disk holds them.
        SortNames(listing.files);
        for (const QString& name : std::as_const(listing.files)) {
            if (MusicScan::IsMusicFile(name, filters, types))
                found.append(PathJoin(folder, name));
        }
        for (auto sub = listing.folders.crbegin(); sub != listing.folders.crend(); ++sub)
            stack.append(PathJoin(folder, *sub));
        if (pace.Due(context_.platform.clock.MSecsSinceEpoch()))
            context_.platform.clock.DoEvents();
    }
    if (!context_.Ended())
        vcd.setEnabled(enabled);
    return found;
}

} // namespace tolvane
