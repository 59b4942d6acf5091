#pragma once

#include <QString>

namespace tolvane {

// Private-profile files (INI) with the classic semantics: sections and keys compared
// without case, the first match wins, a missing file, section or key reads as the
// default, values are cut at 1023 characters. Writing creates the file and the section
// and keeps every other line byte for byte; lines end in CR LF; text is in the ANSI
// code page (UTF-8 with a byte-order mark when that cannot carry a value).
class ProfileFile
{
public:
    static constexpr int kMaxValue = 1023;

    static QString GetString(const QString& localPath, const QString& section, const QString& key,
                             const QString& fallback);
    static bool WriteString(const QString& localPath, const QString& section, const QString& key,
                            const QString& value);
};

} // namespace tolvane
