#include "platform/DosFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tolvane {

bool DosFiles::FileExists(const QString& dosPath) const
{
    QString local = Local(dosPath);
    return !local.isEmpty() && QFileInfo(local).isFile();
}

bool DosFiles::FolderExists(const QString& dosPath) const
{
    QString local = Local(dosPath);
    return !local.isEmpty() && QFileInfo(local).isDir();
}

bool DosFiles::MakeFolder(const QString& dosPath) const
{
    QString local = Local(dosPath);
    if (local.isEmpty())
        return false;
    if (QFileInfo(local).isDir())
        return true;
    return QDir().mkdir(local);
}

bool DosFiles::WildcardMatch(const QString& pattern, const QString& name)
{
    // "*.*" matches every name, with or without a dot, as on DOS.
    if (pattern == "*.*" || pattern == "*")
        return true;
    qsizetype p = 0, n = 0, star = -1, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || pattern[p].toLower() == name[n].toLower())) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

QStringList DosFiles::ListFiles(const QString& dosFolder, const QString& pattern) const
{
    QString local = Local(dosFolder);
    if (local.isEmpty())
        return {};
    QStringList result;
    const QStringList names = QDir(local).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (WildcardMatch(pattern, name))
            result.append(name);
    }
    std::sort(result.begin(), result.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return result;
}

bool DosFiles::ReadAll(const QString& dosPath, QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

QByteArray DosFiles::ReadHead(const QString& dosPath, qint64 count) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(count);
}

bool DosFiles::WriteAll(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Append(const QString& dosPath, const QByteArray& bytes) const
{
    QFile file(Local(dosPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size();
}

bool DosFiles::Remove(const QString& dosPath) const
{
    QString local = Local(dosPath);
    return !local.isEmpty() && QFile::remove(local);
}

} // namespace tolvane
