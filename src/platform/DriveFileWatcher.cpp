#include "platform/DriveFileWatcher.h"

#include "platform/DeviceEvents.h"
#include "platform/DiscTrays.h"
#include "platform/DriveMap.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tolvane {

DriveFileWatcher::DriveFileWatcher(DriveMap& drives, const DiscTrays& trays, DeviceEvents& events,
                                   const QString& file, QObject* parent)
    : QObject(parent), drives_(drives), trays_(trays), events_(events), file_(file)
{
    // The folder too: editors replace the file, and it may not exist yet.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DriveFileWatcher::OnChange);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DriveFileWatcher::OnChange);
    Watch();
    text_ = Text();
}

QByteArray DriveFileWatcher::Text() const
{
    QFile file(file_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Other files share the folder: only a new text of the map counts.
void DriveFileWatcher::OnChange()
{
    Watch();
    QByteArray text = Text();
    if (text == text_)
        return;
    text_ = text;
    Reload();
}

void DriveFileWatcher::Watch()
{
    QString folder = QFileInfo(file_).absolutePath();
    if (QFileInfo::exists(folder) && !watcher_.directories().contains(folder))
        watcher_.addPath(folder);
    if (QFileInfo::exists(file_) && !watcher_.files().contains(file_))
        watcher_.addPath(file_);
}

void DriveFileWatcher::Reload()
{
    const QList<Drive> before = drives_.Drives();
    drives_.Reload();
    for (QChar letter = 'A'; letter <= QChar('Z'); letter = QChar(letter.unicode() + 1)) {
        auto old = std::find_if(before.begin(), before.end(),
                                [&](const Drive& d) { return d.letter == letter; });
        const Drive* now = drives_.Find(letter);
        bool hadDisc = old != before.end() && trays_.HoldsMedium(*old);
        bool hasDisc = now && trays_.HoldsMedium(*now);
        if (old != before.end() && now && *old == *now)
            continue;
        if (hadDisc)
            events_.RaiseRemoval(letter);
        if (hasDisc)
            events_.RaiseArrival(letter);
    }
}

} // namespace tolvane
