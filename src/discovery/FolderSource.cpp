#include "discovery/FolderSource.h"

#include "app/Text.h"
#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"
#include "platform/DosFiles.h"

#include <QFile>
#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace tolvane {

LocalFolderSource::~LocalFolderSource()
{
    CloseLast();
}

void LocalFolderSource::CloseLast()
{
    if (lastFd_ >= 0)
        ::close(lastFd_);
    lastFd_ = -1;
    lastFolder_.clear();
}

void LocalFolderSource::Begin()
{
    CloseLast();
    local_.clear();
    walked_.clear();
}

QByteArray LocalFolderSource::LocalOf(const QString& dosFolder) const
{
    auto known = local_.constFind(dosFolder);
    if (known != local_.constEnd())
        return known.value();
    QString local = files_.Local(dosFolder);
    return local.isEmpty() ? QByteArray() : QFile::encodeName(local);
}

FolderSource::Result LocalFolderSource::List(const QString& dosFolder, FolderListing& out)
{
    out.folders.clear();
    out.files.clear();
    CloseLast();
    QByteArray local = LocalOf(dosFolder);
    if (local.isEmpty())
        return Unreadable;
    int fd = ::open(local.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Unreadable;
    struct stat self;
    if (::fstat(fd, &self) != 0) {
        ::close(fd);
        return Unreadable;
    }
    QPair<quint64, quint64> identity(self.st_dev, self.st_ino);
    if (walked_.contains(identity)) {
        ::close(fd);
        return AlreadyWalked;
    }
    walked_.insert(identity);
    // Read with getdents64 on the one descriptor, which then stays open for the dates:
    // a DIR stream would cost a second descriptor and three more system calls a folder.
    if (!ReadEntries(fd, dosFolder, local, out)) {
        ::close(fd);
        return Unreadable;
    }
    lastFd_ = fd;
    lastFolder_ = dosFolder;
    // Disc and Windows file systems list folders by name; readdir order is a hash order.
    std::sort(out.folders.begin(), out.folders.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return Listed;
}

bool LocalFolderSource::ReadEntries(int fd, const QString& dosFolder, const QByteArray& local,
                                    FolderListing& out)
{
    const QByteArray prefix = local.endsWith('/') ? local : local + '/';
    entries_.resize(64 * 1024);
    for (;;) {
        ssize_t size = ::getdents64(fd, entries_.data(), entries_.size());
        if (size < 0)
            return false;
        if (size == 0)
            return true;
        for (ssize_t at = 0; at < size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries_.data() + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            bool folder = entry->d_type == DT_DIR;
            bool file = entry->d_type == DT_REG;
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                // Links are followed; a dangling one is neither file nor folder.
                struct stat target;
                if (::fstatat(fd, name, &target, 0) != 0)
                    continue;
                folder = S_ISDIR(target.st_mode);
                file = S_ISREG(target.st_mode);
            }
            if (!folder && !file)
                continue;
            QString text = QFile::decodeName(name);
            if (file) {
                out.files.append(text);
            } else {
                local_.insert(PathJoin(dosFolder, text), prefix + name);
                out.folders.append(std::move(text));
            }
        }
    }
}

QDate LocalFolderSource::ModifiedDate(const QString& dosFolder, const QString& name)
{
    struct stat info;
    QByteArray encoded = QFile::encodeName(name);
    if (lastFd_ >= 0 && dosFolder == lastFolder_) {
        if (::fstatat(lastFd_, encoded.constData(), &info, 0) != 0)
            return QDate();
    } else {
        QByteArray local = LocalOf(dosFolder);
        if (local.isEmpty())
            return QDate();
        QByteArray path = (local.endsWith('/') ? local : local + '/') + encoded;
        if (::stat(path.constData(), &info) != 0)
            return QDate();
    }
    struct tm parts;
    if (!::localtime_r(&info.st_mtim.tv_sec, &parts))
        return QDate();
    return QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
}

FolderSource::Result DiscFolderSource::List(const QString& dosFolder, FolderListing& out)
{
    out.folders.clear();
    out.files.clear();
    const Drive* drive =
        dosFolder.size() >= 2 && dosFolder[1] == ':' ? drives_.Find(dosFolder[0]) : nullptr;
    if (!drive || drive->type != kDriveCdrom || drives_.TrayOpen(drive->letter))
        return Unreadable;
    QString inside = dosFolder.mid(2);
    inside.replace('\\', '/');
    if (inside.isEmpty())
        inside = "/";
    QList<DiscEntry> entries;
    if (!DiscFolders::List(drive->root, CdDrive::LooksLikeImage(drive->root), inside, entries))
        return Unreadable;
    for (const DiscEntry& entry : entries) {
        (entry.folder ? out.folders : out.files).append(entry.name);
        if (!entry.folder && entry.modified.isValid())
            dates_.insert(Key(dosFolder, entry.name), entry.modified.date());
    }
    std::sort(out.folders.begin(), out.folders.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return Listed;
}

QString DiscFolderSource::Key(const QString& dosFolder, const QString& name)
{
    return (dosFolder + '\\' + name).toUpper();
}

QDate DiscFolderSource::ModifiedDate(const QString& dosFolder, const QString& name)
{
    return dates_.value(Key(dosFolder, name));
}

} // namespace tolvane
