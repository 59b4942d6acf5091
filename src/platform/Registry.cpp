#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tolvane {

namespace {

QString Escape(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

// Reads a quoted string starting at `pos` (on the opening quote); leaves `pos`
// after the closing quote.
bool ReadQuoted(const QString& line, qsizetype& pos, QString& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        QChar c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            QChar next = line[++pos];
            out += next == 'n' ? QChar('\n') : next == 'r' ? QChar('\r') : next;
        } else {
            out += c;
        }
    }
    return false;
}

} // namespace

QString Registry::RootName(HKey root)
{
    switch (root) {
    case HKey::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKey::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKey::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    }
    return QString();
}

void Registry::SeedSystemValues(Registry& registry)
{
    const QString key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");
    QString version;
    if (!registry.Query(HKey::LocalMachine, key, "Version", version))
        registry.Set(HKey::LocalMachine, key, "Version", "Windows 98");
}

FileRegistry::FileRegistry(QString localPath) : path_(std::move(localPath)) {}

QString FileRegistry::DefaultPath(const QString& home)
{
    return home + "/.local/share/tolvane99/registry.reg";
}

QString FileRegistry::Id(const QString& key, const QString& name)
{
    return (key + "\n" + name).toLower();
}

void FileRegistry::Reload() const
{
    QFileInfo info(path_);
    QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
    qint64 size = info.exists() ? info.size() : -1;
    if (stamp == loadedStamp_ && size == loadedSize_)
        return;
    loadedStamp_ = stamp;
    loadedSize_ = size;
    table_.clear();
    order_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString key;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            key = line.mid(1, line.size() - 2);
            continue;
        }
        if (key.isEmpty() || line.isEmpty() || line.startsWith(';'))
            continue;
        qsizetype pos = 0;
        QString name;
        if (line.startsWith('@'))
            pos = 1;
        else if (!ReadQuoted(line, pos, name))
            continue;
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            continue;
        ++pos;
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        QString value;
        if (!ReadQuoted(line, pos, value))
            continue;
        QString id = Id(key, name);
        if (!table_.contains(id))
            order_.append(id);
        table_.insert(id, {key, name, value});
    }
}

bool FileRegistry::Save() const
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString text = "; Tolvane99 registry: [root\\key] sections, \"name\"=\"value\" lines, "
                   "@ for the unnamed value\n";
    // Values grouped by key in order of first appearance.
    QList<QString> keys;
    for (const QString& id : order_) {
        const QString& key = table_[id].key;
        bool known = false;
        for (const QString& k : keys)
            known = known || k.compare(key, Qt::CaseInsensitive) == 0;
        if (!known)
            keys.append(key);
    }
    for (const QString& key : keys) {
        text += "\n[" + key + "]\n";
        for (const QString& id : order_) {
            const Entry& e = table_[id];
            if (e.key.compare(key, Qt::CaseInsensitive) != 0)
                continue;
            text += (e.name.isEmpty() ? QString("@") : "\"" + Escape(e.name) + "\"") + "=\"" +
                    Escape(e.value) + "\"\n";
        }
    }
    file.write(text.toUtf8());
    if (!file.commit())
        return false;
    QFileInfo info(path_);
    loadedStamp_ = info.lastModified();
    loadedSize_ = info.size();
    return true;
}

bool FileRegistry::Query(HKey root, const QString& key, const QString& name, QString& value) const
{
    Reload();
    auto it = table_.constFind(Id(RootName(root) + "\\" + key, name));
    if (it == table_.constEnd())
        return false;
    value = it->value;
    return true;
}

bool FileRegistry::Set(HKey root, const QString& key, const QString& name, const QString& value)
{
    Reload();
    QString fullKey = RootName(root) + "\\" + key;
    QString id = Id(fullKey, name);
    auto it = table_.find(id);
    if (it == table_.end()) {
        order_.append(id);
        table_.insert(id, {fullKey, name, value});
    } else {
        it->value = value;
    }
    return Save();
}

} // namespace tolvane
