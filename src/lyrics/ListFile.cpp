#include "lyrics/ListFile.h"

#include "platform/CodePage.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"
#include "platform/FileSaving.h"

#include <QUrl>

#include <algorithm>

namespace tolvane {

namespace {

// The text less its comment lines, and how many lines are left.
QString WithoutComments(const QString& text, qsizetype& lines)
{
    QString kept;
    kept.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (!line.trimmed().startsWith('#')) {
            kept += line;
            ++lines;
        }
        start = end;
    }
    return kept;
}

// "X:" and the rest with "." and ".." worked out, one "\" between the names; empty
// when no name is left.
QString CleanDosPath(const QString& path)
{
    if (path.size() < 2 || path[1] != ':' || !path[0].isLetter() || path[0].unicode() > 127)
        return QString();
    QString rest = path.mid(2);
    rest.replace('/', '\\');
    QStringList names;
    for (const QString& name : rest.split('\\', Qt::SkipEmptyParts)) {
        if (name == "..") {
            if (!names.isEmpty())
                names.removeLast();
        } else if (name != ".") {
            names.append(name);
        }
    }
    if (names.isEmpty())
        return QString();
    return path.left(2) + "\\" + names.join('\\');
}

bool IsDosAbsolute(const QString& path)
{
    return path.size() >= 2 && path[1] == ':' && path[0].isLetter() && path[0].unicode() < 128;
}

} // namespace

ListFile::ListFile(const DriveMap& drives, const QString& listPath, const QByteArray& bytes)
    : drives_(drives), folder_(listPath.left(std::max<qsizetype>(listPath.lastIndexOf('\\'), 0))),
      items_(WithoutComments(CodePage(950).DecodeFile(bytes), lines_))
{
}

QString ListFile::Next()
{
    while (!items_.AtEnd()) {
        const QString item = items_.Next();
        ++read_;
        QString path = Resolve(drives_, folder_, item);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

double ListFile::Done() const
{
    if (items_.AtEnd() || lines_ == 0)
        return 1.0;
    return std::min(1.0, double(read_) / double(lines_));
}

QStringList ListFile::Parse(const DriveMap& drives, const QString& listPath,
                            const QByteArray& bytes)
{
    QStringList paths;
    ListFile list(drives, listPath, bytes);
    while (!list.AtEnd()) {
        QString path = list.Next();
        if (!path.isEmpty())
            paths.append(std::move(path));
    }
    return paths;
}

QString ListFile::Resolve(const DriveMap& drives, const QString& listFolder, const QString& item)
{
    if (item.isEmpty())
        return QString();
    QString path = item;
    if (path.startsWith("file:", Qt::CaseInsensitive)) {
        path = QUrl(path).toLocalFile();
        if (!path.startsWith('/'))
            return QString();
    } else if (path.contains("://")) {
        return QString();
    }
    if (path.startsWith('/'))
        path = drives.ToDos(path);
    else if (path.startsWith('\\'))
        path = listFolder.left(2) + path;
    else if (!IsDosAbsolute(path))
        path = listFolder + "\\" + path;
    path = CleanDosPath(path);
    // What a line of a list cannot hold (a line end, blanks around it) is no entry: an
    // address or a local path can bring it in.
    return path.contains('\n') || path.trimmed() != path ? QString() : path;
}

QByteArray ListFile::Format(const QStringList& paths)
{
    QString text;
    for (const QString& path : paths)
        text += path + "\r\n";
    const CodePage cp950(950);
    QByteArray bytes = cp950.EncodeFile(text);
    // CP950 bytes can happen to be valid UTF-8, which the reading takes them for.
    if (cp950.DecodeFile(bytes) != text)
        bytes = "\xEF\xBB\xBF" + text.toUtf8();
    return bytes;
}

bool ListFile::Save(const DosFiles& files, const QString& dosPath, const QStringList& paths)
{
    const QString local = files.Local(dosPath);
    QString reason;
    return !local.isEmpty() && SaveWholeFile(local, Format(paths), reason);
}

} // namespace tolvane
