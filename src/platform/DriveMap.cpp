#include "platform/DriveMap.h"

#include "platform/CdDisc.h"
#include "platform/DiscTrays.h"
#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"
#include "platform/VolumeSerial.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cdio/cdio.h>

namespace tolvane {

namespace {

// The local name of a DOS component in a folder: the name itself when it is there,
// else the entry shown under it without regard to case, else the name as given.
QString MatchComponent(const QString& folder, const QString& name)
{
    if (name == "." || name == "..")
        return name;
    if (StatLocal(folder + "/" + name).exists)
        return name;
    QList<LocalEntry> entries;
    ListLocal(folder, entries);
    for (const LocalEntry& entry : entries) {
        if (DisplayName(entry.name).compare(name, Qt::CaseInsensitive) == 0)
            return LocalName(entry.name);
    }
    return name;
}

} // namespace

bool Drive::IsOpticalDevice() const
{
    return type == kDriveCdrom && root.startsWith("/dev/");
}

bool Drive::IsDiscImage() const
{
    return type == kDriveCdrom && !IsOpticalDevice() && CdDrive::LooksLikeImage(root);
}

bool Drive::IsDiscFolder() const
{
    return type == kDriveCdrom && !IsOpticalDevice() && !IsDiscImage();
}

DriveMap::DriveMap(QList<Drive> drives)
{
    for (const Drive& drive : drives)
        Add(drive);
}

QString DriveMap::ConfigFile(const QString& home)
{
    return home + "/.local/share/tolvane99/drives.ini";
}

QList<Drive> DriveMap::ParseEntries(const QString& text, QChar separator)
{
    QList<Drive> result;
    for (const QString& raw : text.split(separator, Qt::SkipEmptyParts)) {
        QString entry = raw.trimmed();
        int eq = entry.indexOf('=');
        if (eq != 1 || !entry[0].isLetter() || entry.startsWith(';'))
            continue;
        QString value = entry.mid(eq + 1).trimmed();
        Drive drive;
        drive.letter = entry[0].toUpper();
        drive.type = kDriveFixed;
        // "D=cdrom:/path/disc.cue" marks a CD-ROM drive; plain paths are fixed folders.
        if (value.startsWith("cdrom:", Qt::CaseInsensitive)) {
            drive.type = kDriveCdrom;
            value = value.mid(6);
        }
        drive.root = value;
        if (!drive.root.isEmpty())
            result.append(drive);
    }
    return result;
}

QStringList DriveMap::OpticalDevices()
{
    QStringList devices;
    char** list = cdio_get_devices(DRIVER_DEVICE);
    for (char** device = list; device && *device; ++device)
        devices.append(QFile::decodeName(*device));
    cdio_free_device_list(list);
    return devices;
}

DriveMap DriveMap::FromUser(const QString& home)
{
    DriveMap map({{'C', home, kDriveFixed}, {'Z', "/", kDriveFixed}});
    // Optical drives take the letters from D: on, as the system gives them out.
    char letter = 'D';
    for (const QString& device : OpticalDevices()) {
        while (map.Find(QChar(letter)) && letter < 'Y')
            ++letter;
        if (letter >= 'Y')
            break;
        map.Add({QChar(letter++), device, kDriveCdrom});
    }
    QFile file(ConfigFile(home));
    if (file.open(QIODevice::ReadOnly)) {
        for (const Drive& drive : ParseEntries(QString::fromUtf8(file.readAll()), '\n'))
            map.Add(drive);
    }
    for (const Drive& drive : ParseEntries(qEnvironmentVariable("TOLVANE99_DRIVES"), ';'))
        map.Add(drive);
    map.home_ = home;
    return map;
}

void DriveMap::Reload()
{
    if (home_.isEmpty())
        return;
    drives_ = FromUser(home_).drives_;
    for (const Drive& disc : std::as_const(discs_)) {
        if (!Find(disc.letter))
            Add(disc);
    }
}

QChar DriveMap::DiscDrive(const QString& root)
{
    QString clean = root;
    if (clean.size() > 1 && clean.endsWith('/'))
        clean.chop(1);
    for (const Drive& drive : drives_) {
        if (drive.type == kDriveCdrom && drive.root == clean)
            return drive.letter;
    }
    for (char letter = 'D'; letter < 'Z'; ++letter) {
        if (Find(QChar(letter)))
            continue;
        const Drive disc{QChar(letter), clean, kDriveCdrom};
        Add(disc);
        discs_.append(disc);
        return disc.letter;
    }
    return QChar();
}

bool DriveMap::TrayOpen(QChar letter) const
{
    const Drive* drive = Find(letter);
    return drive && trays_ && drive->HasVirtualTray() && trays_->IsOpen(drive->root);
}

void DriveMap::Add(const Drive& drive)
{
    Drive entry = drive;
    entry.letter = drive.letter.toUpper();
    if (entry.root.size() > 1 && entry.root.endsWith('/'))
        entry.root.chop(1);
    auto same = [&](const Drive& d) { return d.letter == entry.letter; };
    drives_.erase(std::remove_if(drives_.begin(), drives_.end(), same), drives_.end());
    drives_.append(entry);
    std::sort(drives_.begin(), drives_.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

const Drive* DriveMap::Find(QChar letter) const
{
    for (const Drive& drive : drives_) {
        if (drive.letter == letter.toUpper())
            return &drive;
    }
    return nullptr;
}

QString DriveMap::ToLocal(const QString& dosPath) const
{
    if (dosPath.size() < 2 || dosPath[1] != ':')
        return QString();
    const Drive* drive = Find(dosPath[0]);
    if (!drive)
        return QString();
    QString local = drive->root == "/" ? QString() : drive->root;
    // Either slash parts names; every conversion of a path comes here.
    const QStringList parts =
        QString(dosPath.mid(2)).replace('/', '\\').split('\\', Qt::SkipEmptyParts);
    for (const QString& part : parts)
        local += "/" + MatchComponent(local.isEmpty() ? "/" : local, part);
    return local.isEmpty() ? QStringLiteral("/") : local;
}

QString DriveMap::ToDos(const QString& localPath) const
{
    QString clean = QDir::cleanPath(
        QDir::isAbsolutePath(localPath) ? localPath : QDir::current().absoluteFilePath(localPath));
    const Drive* best = nullptr;
    for (const Drive& drive : drives_) {
        // Files of a disc image or a device have no local path; a folder disc's do.
        if (drive.type == kDriveCdrom && !drive.IsDiscFolder())
            continue;
        const QString& root = drive.root;
        bool inside = root == "/" || clean == root || clean.startsWith(root + "/");
        if (inside && (!best || root.size() > best->root.size()))
            best = &drive;
    }
    if (!best)
        return QString();
    QString rest = DisplayPath(best->root == "/" ? clean.mid(1) : clean.mid(best->root.size() + 1));
    QString dos = QString(best->letter) + ":\\" + rest;
    dos.replace('/', '\\');
    if (dos.size() > 3 && dos.endsWith('\\'))
        dos.chop(1);
    return dos;
}

int DriveMap::GetDriveType(const QString& root) const
{
    if (root.size() < 2 || root[1] != ':')
        return kDriveNoRootDir;
    const Drive* drive = Find(root[0]);
    return drive ? drive->type : kDriveNoRootDir;
}

QStringList DriveMap::DriveLetters() const
{
    QStringList list;
    for (const Drive& drive : drives_)
        list.append(QString(drive.letter.toLower()) + ":");
    return list;
}

QStringList DriveMap::DriveList() const
{
    QStringList list;
    for (const Drive& drive : drives_) {
        QString entry = QString(drive.letter.toLower()) + ":";
        // The list box shows labels of fixed disks and of discs in CD-ROM drives.
        if (drive.type == kDriveFixed || drive.type == kDriveCdrom) {
            QString label = VolumeSerial::Read(*this, entry + "\\").label;
            if (!label.isEmpty())
                entry += " [" + label + "]";
        }
        list.append(entry);
    }
    return list;
}

} // namespace tolvane
