// What the targets share: one application object and one temporary folder for the
// whole run, and the input written as a file, as the user would bring it.
#pragma once

#include "platform/DosFiles.h"
#include "platform/DriveMap.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

// QGuiApplication or QApplication, made on first use on the offscreen platform unless
// another is asked for. It lives until the process ends, as the program's does.
template <typename App> App& Application()
{
    static App* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tolvane-fuzz";
        static char* argv[] = {name, nullptr};
        return new App(argc, argv);
    }();
    return *app;
}

// Drops Qt's warnings, for targets whose inputs make them by the thousand (a path with
// a NUL in it, a damaged image), so the log keeps the fuzzer's own lines.
inline void QuietQt()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// A folder of the run's own, removed at its end.
inline const QString& Folder()
{
    static QTemporaryDir dir(QDir::tempPath() + "/tolvane-fuzz-XXXXXX");
    static const QString path = [] {
        if (!dir.isValid())
            std::abort();
        return dir.path();
    }();
    return path;
}

// The run's folder as drive C:, for targets that read their input by a DOS path.
inline const tolvane::DosFiles& FolderAsDriveC()
{
    static const tolvane::DriveMap drives({{'C', Folder(), tolvane::kDriveFixed}});
    static const tolvane::DosFiles files(drives);
    return files;
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bytes as the whole content of a file; a harness that cannot write its own
// folder stops, since every later input would test nothing.
inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

} // namespace fuzz
