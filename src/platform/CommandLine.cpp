#include "platform/CommandLine.h"

#include "platform/CdDisc.h"
#include "platform/LocalNames.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// The device of a desktop's mount of an audio disc (".../gvfs/cdda:host=sr0/...").
QString AudioDiscDevice(const QString& local)
{
    static const QRegularExpression host("(?:^|/)cdda:host=([A-Za-z0-9_]+)(?:/|$)");
    const QRegularExpressionMatch match = host.match(local);
    return match.hasMatch() ? "/dev/" + match.captured(1) : QString();
}

// A field of the mount table: blanks, tabs, line ends and backslashes come as octal.
QByteArray MountField(const QByteArray& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && value < 256) {
                out += char(value);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool IsOpticalDevice(const QString& source)
{
    return source.startsWith("/dev/sr") || source.startsWith("/dev/scd") ||
           source.startsWith("/dev/cdrom");
}

// The disc mounted at `folder`: the optical drive under it, else the folder itself;
// empty when no disc's file system is mounted there.
QString MountedDisc(const QString& folder, const QString& mounts)
{
    QFile table(mounts);
    if (!table.open(QIODevice::ReadOnly))
        return QString();
    const QList<QByteArray> lines = table.readAll().split('\n');
    QString found;
    // A later mount over the same point hides the earlier one.
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3 || LocalName(MountField(fields[1])) != folder)
            continue;
        const QByteArray type = fields[2];
        if (type != "iso9660" && type != "udf") {
            found.clear();
            continue;
        }
        const QString source = LocalName(MountField(fields[0]));
        found = IsOpticalDevice(source) ? source : folder;
    }
    return found;
}

} // namespace

QStringList CommandLinePaths(const QList<QByteArray>& words, const QString& workingFolder)
{
    static const QRegularExpression address("^[A-Za-z][A-Za-z0-9+.-]*://");
    QStringList paths;
    for (const QByteArray& word : words) {
        if (word.isEmpty())
            continue;
        QString local;
        if (word.startsWith("file://")) {
            // "file:///x" or "file://localhost/x"; the path's bytes are percent-encoded.
            const qsizetype slash = word.indexOf('/', 7);
            if (slash < 0)
                continue;
            const QByteArray host = word.mid(7, slash - 7);
            if (!host.isEmpty() && host != "localhost")
                continue;
            local = LocalName(QByteArray::fromPercentEncoding(word.mid(slash)));
        } else if (word.startsWith("cdda://")) {
            const QByteArray host = word.mid(7).split('/').value(0);
            if (host.isEmpty())
                continue;
            local = "/dev/" + LocalName(QByteArray::fromPercentEncoding(host));
        } else if (address.match(QString::fromLatin1(word)).hasMatch()) {
            continue;
        } else {
            local = LocalName(word);
            if (!local.startsWith('/'))
                local = workingFolder + "/" + local;
        }
        paths.append(QDir::cleanPath(local));
    }
    return paths;
}

QString WorkingFolder()
{
    char* folder = ::getcwd(nullptr, 0);
    const QString local = folder ? LocalName(folder) : QStringLiteral("/");
    ::free(folder);
    return local;
}

QString DiscRootOf(const QString& local, const QString& mounts)
{
    const QString audio = AudioDiscDevice(local);
    if (!audio.isEmpty())
        return audio;
    struct stat st;
    if (local.isEmpty() || ::stat(LocalBytes(local).constData(), &st) != 0)
        return QString();
    if (S_ISBLK(st.st_mode)) {
        // /dev/cdrom and the like are links: the drive map knows the device itself.
        char* real = ::realpath(LocalBytes(local).constData(), nullptr);
        const QString device = real ? LocalName(real) : local;
        ::free(real);
        return device;
    }
    if (S_ISREG(st.st_mode))
        return CdDrive::LooksLikeImage(local) ? local : QString();
    if (S_ISDIR(st.st_mode))
        return MountedDisc(QDir::cleanPath(local), mounts);
    return QString();
}

} // namespace tolvane
