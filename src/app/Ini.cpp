#include "app/Ini.h"

#include "platform/DosFiles.h"

namespace tolvane {

QString Ini::ReadIni(const QString& section, const QString& key) const
{
    QString value = profile_.GetString(files_.Local(IniFile), section, key, QString());
    qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    while (value.endsWith(' '))
        value.chop(1);
    return value;
}

QStringList Ini::IniKeys(const QString& section) const
{
    return profile_.Keys(files_.Local(IniFile), section);
}

void Ini::WriteIni(const QString& section, const QString& key, const QString& value) const
{
    WriteIni({{section, key, value}});
}

bool Ini::WriteIni(const QList<ProfileFile::Entry>& entries) const
{
    QString local = files_.Local(IniFile);
    return !local.isEmpty() && profile_.WriteStrings(local, entries);
}

void Ini::RewriteIni(const QList<ProfileFile::Entry>& entries) const
{
    QString local = files_.Local(IniFile);
    if (!local.isEmpty())
        profile_.RewriteStrings(local, entries);
}

} // namespace tolvane
