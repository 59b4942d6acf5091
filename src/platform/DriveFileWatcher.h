#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace tolvane {

class DeviceEvents;
class DiscTrays;
class DriveMap;

// Reads the user's drive map again when its file changes. A letter that now stands
// for another image or folder gets a removal of the old disc and an arrival of the
// new one, as if the discs had been swapped.
class DriveFileWatcher : public QObject
{
    Q_OBJECT
public:
    DriveFileWatcher(DriveMap& drives, const DiscTrays& trays, DeviceEvents& events,
                     const QString& file, QObject* parent = nullptr);

    // Reads the map again and reports the letters whose disc changed.
    void Reload();

private:
    void Watch();
    void OnChange();
    QByteArray Text() const;

    DriveMap& drives_;
    const DiscTrays& trays_;
    DeviceEvents& events_;
    QString file_;
    QByteArray text_; // the file as last read
    QFileSystemWatcher watcher_;
};

} // namespace tolvane
