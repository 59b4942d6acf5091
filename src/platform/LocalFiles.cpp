#include "platform/LocalFiles.h"

#include "platform/LocalNames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

bool WriteAllTo(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

LocalInfo StatLocal(const QString& local)
{
    LocalInfo info;
    struct stat st;
    if (local.isEmpty() || ::stat(LocalBytes(local).constData(), &st) != 0)
        return info;
    info.exists = true;
    info.folder = S_ISDIR(st.st_mode);
    info.file = S_ISREG(st.st_mode);
    info.size = st.st_size;
    info.modified = QDateTime::fromMSecsSinceEpoch(
        qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000, Qt::UTC);
    return info;
}

LocalStamp StampLocal(const QString& local)
{
    LocalStamp stamp;
    struct stat st;
    if (local.isEmpty() || ::stat(LocalBytes(local).constData(), &st) != 0)
        return stamp;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return stamp;
}

bool ReadableLocal(const QString& local)
{
    return !local.isEmpty() && ::access(LocalBytes(local).constData(), R_OK) == 0;
}

bool ListLocal(const QString& folder, QList<LocalEntry>& entries)
{
    entries.clear();
    DIR* dir = ::opendir(LocalBytes(folder).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const struct dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        LocalEntry item{QByteArray(name), entry->d_type == DT_DIR, entry->d_type == DT_REG};
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target;
            if (::fstatat(fd, name, &target, 0) == 0) {
                item.folder = S_ISDIR(target.st_mode);
                item.file = S_ISREG(target.st_mode);
            }
        }
        entries.append(std::move(item));
    }
    ::closedir(dir);
    return true;
}

bool OpenLocal(QFile& file, const QString& local, QIODevice::OpenMode mode)
{
    if (local.isEmpty())
        return false;
    if (mode.testFlag(QIODevice::Append))
        mode |= QIODevice::WriteOnly;
    const bool reads = mode.testFlag(QIODevice::ReadOnly);
    const bool writes = mode.testFlag(QIODevice::WriteOnly);
    int flags = O_CLOEXEC;
    if (reads && writes)
        flags |= O_RDWR | O_CREAT;
    else if (writes)
        flags |= O_WRONLY | O_CREAT;
    else if (reads)
        flags |= O_RDONLY;
    else
        return false;
    if (mode.testFlag(QIODevice::NewOnly))
        flags |= O_EXCL;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    else if (mode.testFlag(QIODevice::Truncate) ||
             (writes && !reads && !mode.testFlag(QIODevice::NewOnly)))
        flags |= O_TRUNC;
    const int fd = ::open(LocalBytes(local).constData(), flags, 0666);
    if (fd < 0)
        return false;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool MakeLocalFolder(const QString& local)
{
    return !local.isEmpty() && ::mkdir(LocalBytes(local).constData(), 0777) == 0;
}

bool RemoveLocalFile(const QString& local)
{
    return !local.isEmpty() && ::unlink(LocalBytes(local).constData()) == 0;
}

bool TrashLocal(const QString& local)
{
    if (local.isEmpty())
        return false;
    const QByteArray bytes = LocalBytes(local);
    // Qt's own trash knows every mount's trash folder, but only names that are UTF-8.
    if (QString::fromUtf8(bytes) == local)
        return QFile::moveToTrash(local);
    // The user's trash, as the desktop lays it out; a name whose bytes are no text is
    // recorded percent-encoded, which the layout allows.
    const QString trash =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    if (!QDir().mkpath(trash + "/files") || !QDir().mkpath(trash + "/info"))
        return false;
    const QString shown = DisplayName(bytes.mid(bytes.lastIndexOf('/') + 1));
    const QByteArray record =
        "[Trash Info]\nPath=" + bytes.toPercentEncoding("/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\n";
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString name = attempt == 1 ? shown : shown + "." + QString::number(attempt);
        const QByteArray info = QFile::encodeName(trash + "/info/" + name + ".trashinfo");
        const QByteArray target = QFile::encodeName(trash + "/files/" + name);
        struct stat taken;
        if (::lstat(target.constData(), &taken) == 0)
            continue;
        int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const bool written = WriteAllTo(fd, record);
        ::close(fd);
        if (written && ::rename(bytes.constData(), target.constData()) == 0)
            return true;
        ::unlink(info.constData());
        return false;
    }
    return false;
}

} // namespace tolvane
