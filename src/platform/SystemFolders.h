#pragma once

#include "platform/DriveMap.h"

#include <QString>

namespace tolvane {

// Where the system folders of the program live on this machine.
class SystemFolders
{
public:
    // `home` is the user's home folder, `executableDir` the folder of the program file.
    SystemFolders(const DriveMap& drives, QString home, QString executableDir);

    // The Windows folder (DOS path) that holds SYSTEM.INI, WIN.INI and Temp; created
    // when missing.
    QString WindowsDirectory() const;
    // The program folder (DOS path): the executable's folder when it is writable and
    // not an installed bin/ (whose resources are in ../share/tolvane99), otherwise a
    // per-user copy seeded from the installed resources.
    QString ProgramFolder() const;

    static QString WindowsFolderLocal(const QString& home);
    static QString UserProgramFolderLocal(const QString& home);

private:
    const DriveMap& drives_;
    QString home_;
    QString executableDir_;
};

} // namespace tolvane
