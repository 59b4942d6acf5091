#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tolvane {

// File names on disk are bytes. A local path is held as a string in which each
// component that is valid UTF-8 is itself, and each other component keeps its bytes
// from 0x80 up as U+DC80 + (byte - 0x80), characters no valid name can hold, so the
// bytes survive from a listing to the next open. The DOS paths the program shows hold
// such a component decoded as CP950 instead.

// The bytes the system calls take for a local path.
QByteArray LocalBytes(const QString& local);
// A local path or name from the system's bytes.
QString LocalName(QByteArrayView bytes);
// The shown form of one name: UTF-8 as such, anything else as CP950.
QString DisplayName(QByteArrayView name);
// The shown form of a local path, component by component.
QString DisplayPath(const QString& local);

} // namespace tolvane
