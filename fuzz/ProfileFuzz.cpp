// A profile file (SYSTEM.INI, WIN.INI, a skin layout) read, written back and read
// again, as the program does with the files the user edits. What was written must
// read back, and every other value must read as before.
#include "FuzzSupport.h"
#include "platform/CodePage.h"
#include "platform/ProfileFile.h"

#include <QList>
#include <cstdio>
#include <cstdlib>

using namespace tolvane;

namespace {

struct Name
{
    QString section;
    QString key;
};

// Names match without case, blanks or byte-order marks.
QString Plain(const QString& name)
{
    QString plain = name;
    auto blank = [](QChar c) { return c.isSpace() || c == QChar(0xFEFF); };
    while (!plain.isEmpty() && blank(plain.front()))
        plain.remove(0, 1);
    while (!plain.isEmpty() && blank(plain.back()))
        plain.chop(1);
    return plain;
}

bool Same(const Name& a, const Name& b)
{
    return Plain(a.section).compare(Plain(b.section), Qt::CaseInsensitive) == 0 &&
           Plain(a.key).compare(Plain(b.key), Qt::CaseInsensitive) == 0;
}

void AddName(QList<Name>& names, const Name& name)
{
    for (const Name& known : names) {
        if (Same(known, name))
            return;
    }
    names.append(name);
}

// A few sections and keys of the file itself, so reads and writes meet its lines.
void NamesIn(const QByteArray& bytes, QList<Name>& names)
{
    QByteArray text = bytes;
    const bool utf8 = text.startsWith("\xEF\xBB\xBF");
    if (utf8)
        text.remove(0, 3);
    QString section;
    int found = 0;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = Plain(utf8 || CodePage::IsValidUtf8(raw) ? QString::fromUtf8(raw)
                                                                      : CodePage().Decode(raw));
        if (line.startsWith('[') && line.contains(']')) {
            section = line.mid(1, line.indexOf(']') - 1).trimmed();
        } else if (!line.startsWith(';') && !line.startsWith('[') && line.contains('=')) {
            AddName(names, {section, line.left(line.indexOf('=')).trimmed()});
            if (++found == 4)
                return;
        }
    }
}

QString Read(ProfileFile& profile, const QString& path, const Name& name)
{
    return profile.GetString(path, name.section, name.key, "(none)");
}

void Expect(ProfileFile& profile, const QString& path, const Name& name, const QString& value)
{
    const QString read = Read(profile, path, name);
    if (read == value)
        return;
    std::fprintf(stderr, "[%s] %s read \"%s\", expected \"%s\"\n", qPrintable(name.section),
                 qPrintable(name.key), qPrintable(read), qPrintable(value));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::Folder() + "/profile.ini";
    const QByteArray bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(path, bytes);

    QList<Name> names = {{"boot", "shell"},
                         {"mci", "MPEGVideo"},
                         {"編輯", "Mode"},
                         {"控制台", "X0"},
                         {"windows", "load"}};
    NamesIn(bytes, names);
    ProfileFile profile;
    QStringList before;
    for (const Name& name : names)
        before.append(Read(profile, path, name));

    // A value of the file replaced, a key added to a section of the file, a new
    // section, and a text CP950 cannot carry.
    QList<ProfileFile::Entry> writes;
    QList<Name> written;
    auto write = [&](const Name& name, const QString& value) {
        for (const Name& known : written) {
            if (Same(known, name))
                return;
        }
        written.append(name);
        writes.append({name.section, name.key, value});
    };
    if (names.size() > 5)
        write(names[5], "changed");
    write({names.last().section, "Tolvane"}, "1");
    write({"Tolvane99", "Volume"}, "1000");
    write({"Tolvane99", "Song"}, QString::fromUtf8("歌 \xF0\x9F\x8E\xB5"));
    if (!profile.WriteStrings(path, writes))
        return 0;

    ProfileFile fresh;
    for (ProfileFile* reader : {&profile, &fresh}) {
        for (const ProfileFile::Entry& entry : writes)
            Expect(*reader, path, {entry.section, entry.key}, entry.value);
        for (int i = 0; i < names.size(); ++i) {
            bool rewritten = false;
            for (const Name& name : written)
                rewritten = rewritten || Same(name, names[i]);
            if (!rewritten)
                Expect(*reader, path, names[i], before[i]);
        }
    }
    return 0;
}
