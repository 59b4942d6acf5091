#pragma once

#include <QString>

namespace tolvane {

// The program's identity, as its version resource gives it.
struct Product
{
    static QString Name() { return QStringLiteral("Tolvane99 V1.1"); }
    static QString Company() { return QStringLiteral("Ostrana"); }
    static QString VersionText() { return QStringLiteral("1.01.0400"); }
    static constexpr int kMajor = 1;
    static constexpr int kMinor = 1;
    static constexpr int kRevision = 400;
    // "Tolvane99 V1.1.400", as the log's entry and exit lines end.
    static QString NameWithRevision() { return Name() + "." + QString::number(kRevision); }
};

} // namespace tolvane
