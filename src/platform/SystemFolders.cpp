#include "platform/SystemFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace tolvane {

namespace {

// Copies what is not there yet; never overwrites the user's own files.
void SeedFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString source = it.next();
        QFileInfo info = it.fileInfo();
        QString target = to + "/" + QDir(from).relativeFilePath(source);
        if (info.isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target))
            QFile::copy(source, target);
    }
}

} // namespace

SystemFolders::SystemFolders(const DriveMap& drives, QString home, QString executableDir)
    : drives_(drives), home_(std::move(home)), executableDir_(std::move(executableDir))
{
}

QString SystemFolders::WindowsFolderLocal(const QString& home)
{
    return home + "/.local/share/tolvane99/WINDOWS";
}

QString SystemFolders::UserProgramFolderLocal(const QString& home)
{
    return home + "/.local/share/tolvane99/program";
}

QString SystemFolders::WindowsDirectory() const
{
    QString local = WindowsFolderLocal(home_);
    QDir().mkpath(local);
    return drives_.ToDos(local);
}

QString SystemFolders::ProgramFolder() const
{
    // Installed, the executable sits in the system's bin/ with its resources in
    // share/tolvane99: each user works in a copy of their own, whoever may write bin/.
    const QString installed = QDir::cleanPath(executableDir_ + "/../share/tolvane99");
    const bool hasOwn = QFileInfo::exists(executableDir_ + "/Skin");
    const bool isInstalled = !hasOwn && QFileInfo::exists(installed + "/Skin");
    if (!isInstalled && access(QFile::encodeName(executableDir_).constData(), W_OK) == 0)
        return drives_.ToDos(executableDir_);
    QString local = UserProgramFolderLocal(home_);
    QString from = isInstalled ? installed : executableDir_;
    for (const char* folder : {"Skin", "Desk", "Button Mask", "Cut"})
        SeedFolder(from + "/" + folder, local + "/" + folder);
    for (const char* file : {"ReadMe.rtf", "readme.htm"}) {
        if (!QFileInfo::exists(local + "/" + file))
            QFile::copy(from + "/" + file, local + "/" + file);
    }
    return drives_.ToDos(local);
}

} // namespace tolvane
