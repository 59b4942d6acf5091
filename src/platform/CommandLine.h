#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tolvane {

// The words of a command line as absolute local paths (in the form LocalNames holds
// them), relative ones taken from `workingFolder`: plain paths, "file:" addresses (what
// a desktop entry's %U gives) and "cdda://sr0" addresses of audio discs, which name the
// drive's device. Other addresses name nothing here and are left out.
QStringList CommandLinePaths(const QList<QByteArray>& words, const QString& workingFolder);
// The process's working folder as a local path.
QString WorkingFolder();

// The root of the CD-ROM drive a local path stands for when it is a disc: a device, a
// disc image, the mount point of a disc's file system (the optical drive under it when
// there is one) or the desktop's mount of an audio disc. Empty for anything else.
// `mounts` is the system's table of mounts.
QString DiscRootOf(const QString& local,
                   const QString& mounts = QStringLiteral("/proc/self/mounts"));

} // namespace tolvane
