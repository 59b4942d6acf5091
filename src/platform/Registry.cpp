#include "platform/Registry.h"

#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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
// after the closing quote. "\\", "\"", "\n" and "\r" are escapes; a backslash before
// anything else is itself, as in a path typed by hand. A quote left open takes the rest
// of the line as it stands, without a final quote, when `restOfLine` allows.
bool ReadQuoted(const QString& line, qsizetype& pos, QString& out, bool restOfLine)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    const qsizetype open = pos;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        QChar c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            QChar next = line[pos + 1];
            if (next == '\\' || next == '"' || next == 'n' || next == 'r') {
                out += next == 'n' ? QChar('\n') : next == 'r' ? QChar('\r') : next;
                ++pos;
                continue;
            }
        }
        out += c;
    }
    if (!restOfLine)
        return false;
    out = line.mid(open + 1);
    if (out.endsWith('"'))
        out.chop(1);
    return true;
}

struct TextLine
{
    QString text;
    bool readable;
};

QList<TextLine> Utf16Lines(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    const bool damaged = decoder.hasError();
    QList<TextLine> lines;
    for (const QString& line : text.split('\n')) {
        bool readable = !line.contains(QChar(0)) &&
                        !(damaged && line.contains(QChar(QChar::ReplacementCharacter)));
        lines.append({line, readable});
    }
    return lines;
}

// The file's lines as text, each with whether it could be read: UTF-16 by its
// byte-order mark (or its zero bytes, when a tool left the mark out), otherwise UTF-8
// line by line, and a line that is not UTF-8 as Big5.
QList<TextLine> DecodeLines(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return Utf16Lines(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return Utf16Lines(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0)
        return Utf16Lines(bytes, QStringConverter::Utf16LE);
    if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0)
        return Utf16Lines(bytes, QStringConverter::Utf16BE);
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray rest = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
    const CodePage big5(950);
    QList<TextLine> lines;
    for (const QByteArray& line : rest.split('\n')) {
        if (CodePage::IsValidUtf8(line)) {
            QString text = QString::fromUtf8(line);
            lines.append({text, !text.contains(QChar(0))});
        } else {
            QString text = big5.Decode(line);
            lines.append({text, !text.contains(QChar(0)) &&
                                    !text.contains(QChar(QChar::ReplacementCharacter))});
        }
    }
    return lines;
}

bool IsExportHeader(const QString& line)
{
    return line == "REGEDIT4" || line.startsWith("Windows Registry Editor Version ");
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

void FileRegistry::NoteLoaded() const
{
    loadedStamp_ = StampLocal(path_);
}

void FileRegistry::Insert(const Entry& entry) const
{
    QString id = Id(entry.key, entry.name);
    if (!table_.contains(id))
        order_.append(id);
    table_.insert(id, entry);
}

void FileRegistry::Reload() const
{
    const LocalStamp stamp = StampLocal(path_);
    if (stamp == loadedStamp_)
        return;
    loadedStamp_ = stamp;
    // Values not saved yet stay over whatever the file now says.
    QList<Entry> unsaved;
    for (const QString& id : order_) {
        if (unsaved_.contains(id))
            unsaved.append(table_[id]);
    }
    table_.clear();
    order_.clear();
    unreadableLines_.clear();
    blocked_.clear();
    // A link to nothing is a file that cannot be read, and is set aside.
    if (stamp.size >= 0 || QFileInfo(path_).isSymLink()) {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly) || !Parse(file.readAll()))
            SetAside();
    }
    for (const Entry& entry : unsaved)
        Insert(entry);
}

bool FileRegistry::Parse(const QByteArray& bytes) const
{
    int read = 0;
    int unreadable = 0;
    bool inKey = false;
    QString key;
    for (const TextLine& decoded : DecodeLines(bytes)) {
        const QString line = decoded.text.trimmed();
        if (line.isEmpty() || line.startsWith(';') || IsExportHeader(line))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            key = line.mid(1, line.size() - 2);
            // A garbled key or a key to delete: its values are not for this program.
            inKey = decoded.readable && !key.isEmpty() && !key.startsWith('-');
            if (inKey)
                ++read;
            else
                ++unreadable;
            continue;
        }
        qsizetype pos = 0;
        QString name;
        QString value;
        bool parsed = inKey && decoded.readable;
        if (parsed) {
            if (line.startsWith('@'))
                pos = 1;
            else
                parsed = ReadQuoted(line, pos, name, false);
        }
        if (parsed) {
            while (pos < line.size() && line[pos].isSpace())
                ++pos;
            parsed = pos < line.size() && line[pos] == '=';
        }
        if (parsed) {
            ++pos;
            while (pos < line.size() && line[pos].isSpace())
                ++pos;
            parsed = ReadQuoted(line, pos, value, true);
        }
        if (!parsed) {
            ++unreadable;
            continue;
        }
        ++read;
        Insert({key, name, value});
    }
    if (unreadable > 0 && read == 0)
        return false;
    if (unreadable > 0)
        unreadableLines_ = bytes;
    return true;
}

// Moves a file of which nothing could be read out of the way under a name of its own;
// when even that fails, saves may not overwrite it.
void FileRegistry::SetAside() const
{
    table_.clear();
    order_.clear();
    unreadableLines_.clear();
    QString aside = SetAsideName(path_);
    if (!QDir().rename(path_, aside)) {
        blocked_ = "檔案無法讀取,也無法改名為 " + aside + ",所以不覆蓋它";
        return;
    }
    NoteLoaded();
    notices.SetAside(path_, aside);
}

bool FileRegistry::Save() const
{
    QString reason = blocked_;
    if (reason.isEmpty() && !unreadableLines_.isEmpty()) {
        // The lines this save drops stay readable to people in a copy of the file.
        QString aside = SetAsideName(path_);
        if (SaveWholeFile(aside, unreadableLines_, reason)) {
            unreadableLines_.clear();
            notices.SetAside(path_, aside);
        }
    }
    if (!reason.isEmpty()) {
        notices.SaveFailed(path_, reason);
        return false;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
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
    if (!SaveWholeFile(path_, text.toUtf8(), reason)) {
        notices.SaveFailed(path_, reason);
        return false;
    }
    unsaved_.clear();
    NoteLoaded();
    notices.Saved(path_);
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
    unsaved_.insert(id);
    return Save();
}

} // namespace tolvane
