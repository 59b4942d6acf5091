#include "platform/FileSaving.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace tolvane {

namespace {

QString ErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Copies a whole file into `to`; a missing file adds nothing.
bool CopyInto(QSaveFile& to, const QString& localPath, QString& reason,
              const std::function<void()>& progress)
{
    QFile from(localPath);
    if (!from.exists())
        return true;
    if (!from.open(QIODevice::ReadOnly)) {
        reason = from.errorString();
        return false;
    }
    constexpr qint64 kChunk = 4 << 20;
    while (!from.atEnd()) {
        const QByteArray chunk = from.read(kChunk);
        if (chunk.isEmpty() && from.error() != QFileDevice::NoError) {
            reason = from.errorString();
            return false;
        }
        if (to.write(chunk) != chunk.size()) {
            reason = to.errorString();
            return false;
        }
        if (progress)
            progress();
    }
    return true;
}

} // namespace

bool SaveWholeFile(const QString& localPath, const QByteArray& bytes, QString& reason)
{
    return SavePieces(localPath, {{bytes, {}}}, reason);
}

bool SavePieces(const QString& localPath, const QList<SavePiece>& pieces, QString& reason,
                const std::function<void()>& progress)
{
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    // The commit alone misses a write that fails in its final flush and renames a
    // short file over the old one, so each step is checked here first.
    errno = 0;
    bool written = true;
    for (const SavePiece& piece : pieces) {
        if (!piece.copyOf.isEmpty()) {
            if (!CopyInto(file, piece.copyOf, reason, progress)) {
                file.cancelWriting();
                return false;
            }
        } else if (file.write(piece.bytes) != piece.bytes.size()) {
            written = false;
            break;
        }
    }
    written = written && file.flush();
    int error = errno;
    if (written && ::fsync(file.handle()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        reason = error != 0 ? ErrorText(error) : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

QString SetAsideName(const QString& localPath)
{
    auto taken = [](const QString& name) {
        QFileInfo info(name);
        return info.exists() || info.isSymLink();
    };
    QString name = localPath + ".unreadable";
    for (int number = 2; taken(name); ++number)
        name = localPath + ".unreadable" + QString::number(number);
    return name;
}

void FileNotices::Listen(Notice saveFailed, Notice setAside)
{
    saveFailed_ = std::move(saveFailed);
    setAside_ = std::move(setAside);
    const QList<Waiting> waiting = std::exchange(waiting_, {});
    for (const Waiting& notice : waiting) {
        const Notice& tell = notice.save ? saveFailed_ : setAside_;
        if (tell)
            tell(notice.path, notice.reason);
        else
            waiting_.append(notice);
    }
}

void FileNotices::SaveFailed(const QString& path, const QString& reason)
{
    if (failing_.contains(path))
        return;
    failing_.insert(path);
    if (saveFailed_)
        saveFailed_(path, reason);
    else
        waiting_.append({true, path, reason});
}

void FileNotices::Saved(const QString& path)
{
    failing_.remove(path);
    waiting_.removeIf([&](const Waiting& notice) { return notice.save && notice.path == path; });
}

void FileNotices::SetAside(const QString& path, const QString& keptAs)
{
    if (setAside_)
        setAside_(path, keptAs);
    else
        waiting_.append({false, path, keptAs});
}

} // namespace tolvane
