#include "app/Ini.h"

#include "platform/DosFiles.h"
#include "platform/ProfileFile.h"

namespace tolvane {

QString Ini::ReadIni(const QString& section, const QString& key) const
{
    QString value = ProfileFile::GetString(files_.Local(IniFile), section, key, QString());
    qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    while (value.endsWith(' '))
        value.chop(1);
    return value;
}

void Ini::WriteIni(const QString& section, const QString& key, const QString& value) const
{
    QString local = files_.Local(IniFile);
    if (!local.isEmpty())
        ProfileFile::WriteString(local, section, key, value);
}

} // namespace tolvane
