#include "platform/LocalFolders.h"

#include "platform/DosFiles.h"
#include "platform/LocalNames.h"

#include <algorithm>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace tolvane {

namespace {

// The DOS path of a name in a folder, as the scan joins them.
QString Join(const QString& dosFolder, const QString& name)
{
    QString base = dosFolder;
    while (base.endsWith('\\'))
        base.chop(1);
    return base + '\\' + name.mid(name.lastIndexOf('\\') + 1);
}

QByteArray RealPath(const QByteArray& path)
{
    char* real = ::realpath(path.constData(), nullptr);
    if (!real)
        return QByteArray();
    QByteArray result(real);
    std::free(real);
    return result;
}

bool Inside(const QByteArray& path, const QByteArray& root)
{
    const QByteArray real = RealPath(path);
    if (real.isEmpty())
        return false;
    return root == "/" || real == root || (real.startsWith(root) && real[root.size()] == '/');
}

} // namespace

LocalFolders::~LocalFolders()
{
    CloseLast();
}

void LocalFolders::CloseLast()
{
    if (lastFd_ >= 0)
        ::close(lastFd_);
    lastFd_ = -1;
    lastFolder_.clear();
}

void LocalFolders::Begin()
{
    CloseLast();
    local_.clear();
    names_.clear();
    roots_.clear();
    walked_.clear();
}

QByteArray LocalFolders::LocalOf(const QString& dosFolder) const
{
    auto known = local_.constFind(dosFolder);
    if (known != local_.constEnd())
        return known.value();
    QString local = files_.Local(dosFolder);
    return local.isEmpty() ? QByteArray() : LocalBytes(local);
}

// The real path of the root of a folder's drive; null when it has none.
const QByteArray* LocalFolders::RootOf(const QString& dosFolder)
{
    const QChar letter = dosFolder.isEmpty() ? QChar() : dosFolder[0].toUpper();
    auto known = roots_.constFind(letter);
    if (known == roots_.constEnd()) {
        const Drive* drive = files_.Drives().Find(letter);
        known = roots_.insert(letter, drive ? RealPath(LocalBytes(drive->root)) : QByteArray());
    }
    return known->isEmpty() ? nullptr : &known.value();
}

LocalFolders::Result LocalFolders::List(const QString& dosFolder, FolderListing& out)
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
    if (!ReadEntries(fd, dosFolder, local, RootOf(dosFolder), out)) {
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

bool LocalFolders::ReadEntries(int fd, const QString& dosFolder, const QByteArray& local,
                               const QByteArray* root, FolderListing& out)
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
            bool link = entry->d_type == DT_LNK;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat own;
                if (::fstatat(fd, name, &own, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                link = S_ISLNK(own.st_mode);
                folder = S_ISDIR(own.st_mode);
                file = S_ISREG(own.st_mode);
            }
            if (link) {
                // Links are followed; a dangling one is neither file nor folder, and a
                // folder off the drive (a link to "/") is none of the drive's.
                struct stat target;
                if (::fstatat(fd, name, &target, 0) != 0)
                    continue;
                folder = S_ISDIR(target.st_mode);
                file = S_ISREG(target.st_mode);
                if (folder && (!root || !Inside(prefix + name, *root)))
                    continue;
            }
            if (!folder && !file)
                continue;
            const QByteArrayView bytes(name);
            // Names that are UTF-8 cost nothing more; the others are shown in CP950 and
            // keep their bytes for the dates.
            const bool utf8 = bytes.isValidUtf8();
            QString text = utf8 ? QString::fromUtf8(bytes) : DisplayName(bytes);
            if (file) {
                if (!utf8)
                    names_.insert(Join(dosFolder, text), bytes.toByteArray());
                out.files.append(std::move(text));
            } else {
                local_.insert(Join(dosFolder, text), prefix + name);
                out.folders.append(std::move(text));
            }
        }
    }
}

QDate LocalFolders::ModifiedDate(const QString& dosFolder, const QString& name)
{
    struct stat info;
    auto raw = names_.constFind(Join(dosFolder, name));
    const QByteArray encoded = raw != names_.constEnd() ? raw.value() : name.toUtf8();
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

} // namespace tolvane
