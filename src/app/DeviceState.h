#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

// The current device and what is known of its disc.
struct DeviceState
{
    QString CdromDrive; // two characters, such as "D:"
    int CdromDriveType = 0;
    QString VcdFolder;
    QString ScanSubPath;
    int TrackCount = 0;
    bool MixedDisc = false; // the user chose to play a mixed disc's audio tracks
    QStringList VcdFiles;
    QString DiscSerial;
    QString DiscCode;
    QString LastSearchDrive;  // the drive of the last folder chosen to search
    QString ConfiguredDevice; // the settings window's device at start-up
    QStringList AlbumDirs;    // album folders of the last scan, sorted
    QStringList MusicFolders; // folders holding music, in the order the scan met them
};

} // namespace tolvane
