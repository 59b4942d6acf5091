#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tolvane {

// Drive types as the system reports them.
enum DriveType {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdrom = 5,
    kDriveRamDisk = 6,
};

class DiscTrays;

// A CD-ROM drive's root is a device (/dev/sr0), a disc image (.cue, .bin, .toc, .nrg)
// or a plain folder, for discs the desktop has already mounted.
struct Drive
{
    QChar letter; // upper case
    QString root; // local folder the drive stands for
    int type = kDriveFixed;

    bool operator==(const Drive&) const = default;
    bool IsOpticalDevice() const;
    bool IsDiscImage() const;
    bool IsDiscFolder() const;
    // Images and folders have no tray of their own.
    bool HasVirtualTray() const { return type == kDriveCdrom && !IsOpticalDevice(); }
};

// The program works on DOS paths (C:\Temp\a.txt); this map turns them into local
// paths at the boundary. C: is the home folder and Z: the root by default.
class DriveMap
{
public:
    DriveMap() = default;
    explicit DriveMap(QList<Drive> drives);

    // The user's map: C: home, Z: root and the optical drives from D: on, then the
    // per-user file, then the environment variable TOLVANE99_DRIVES
    // ("C=/home/me;E=cdrom:/discs/vcd.cue"), later entries winning.
    static DriveMap FromUser(const QString& home);
    // Reads the user's map again when it came from FromUser; keeps the trays.
    void Reload();
    static QList<Drive> ParseEntries(const QString& text, QChar separator);
    // The optical drives libcdio finds, such as /dev/sr0.
    static QStringList OpticalDevices();

    void Add(const Drive& drive);
    // The CD-ROM drive whose root is `root` (a device, an image or a disc's folder),
    // added at the first free letter from D: when there is none; it stays through
    // Reload unless the user's map takes its letter. Null when no letter is free.
    QChar DiscDrive(const QString& root);
    const QList<Drive>& Drives() const { return drives_; }
    const Drive* Find(QChar letter) const;

    // Resolves each existing component without regard to case, as Windows does;
    // missing components keep the case they are given. Empty for an unmapped drive.
    QString ToLocal(const QString& dosPath) const;
    // The DOS form of a local path under the drive with the longest matching root.
    QString ToDos(const QString& localPath) const;

    // Type of the drive of a root such as "C:\" or "c:".
    int GetDriveType(const QString& root) const;
    // Drive list entries as a drive list box shows them: "c: [LABEL]", "d:" ...; the
    // first two characters are the drive, the volume label follows when there is one.
    QStringList DriveList() const;
    // The bare drives: "c:", "d:" ...
    QStringList DriveLetters() const;

    // The virtual trays of image and folder drives; none means every tray is closed.
    void SetTrays(const DiscTrays* trays) { trays_ = trays; }
    const DiscTrays* Trays() const { return trays_; }
    // True for an image or folder drive whose virtual tray is open: no medium.
    bool TrayOpen(QChar letter) const;

    static QString ConfigFile(const QString& home);

private:
    QList<Drive> drives_;
    QList<Drive> discs_; // added by DiscDrive
    QString home_;       // set by FromUser
    const DiscTrays* trays_ = nullptr;
};

} // namespace tolvane
