// The registry file as the player keeps it: values queried and turned into numbers and
// switches as the settings are, one value set, and everything read again, by the same
// registry and by a fresh one, as after a restart. The value set must read back and
// every other value must read as before.
#include "FuzzSupport.h"
#include "app/Text.h"
#include "platform/Registry.h"

#include <QList>
#include <cstdlib>

using namespace tolvane;

namespace {

struct Value
{
    HKey root;
    QString key;
    QString name;
};

const QString kSettings = QStringLiteral("Software\\Ostrana\\Tolvane99 V1.1");

QList<Value> KnownValues()
{
    QList<Value> values;
    for (const char* name : {"Volume", "SongTempDir", "ScanType3", "ShowPic", "CutWidtht",
                             "CutHeight", "CutDelay", "ReadMe", "ShowTime", "CreatSongDir"})
        values.append({HKey::CurrentUser, kSettings, name});
    values.append({HKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "Version"});
    values.append({HKey::ClassesRoot, "AudioCD\\shell\\play\\command", QString()});
    values.append({HKey::LocalMachine, "SOFTWARE\\Ostrana\\Tolvan99\\1.0", "AudioCD"});
    return values;
}

// The first keys of the file and a name under each, so queries meet its lines.
void ValuesIn(const QByteArray& bytes, QList<Value>& values)
{
    const QList<HKey> roots = {HKey::ClassesRoot, HKey::CurrentUser, HKey::LocalMachine};
    int found = 0;
    for (const QString& raw : QString::fromUtf8(bytes).split('\n')) {
        const QString line = raw.trimmed();
        if (!line.startsWith('[') || !line.endsWith(']'))
            continue;
        const QString key = line.mid(1, line.size() - 2);
        for (HKey root : roots) {
            const QString prefix = Registry::RootName(root) + "\\";
            if (key.startsWith(prefix, Qt::CaseInsensitive)) {
                values.append({root, key.mid(prefix.size()), QString()});
                values.append({root, key.mid(prefix.size()), "Volume"});
            }
        }
        if (++found == 3)
            return;
    }
}

// What the settings make of a stored text.
void Convert(const QString& text)
{
    int number = 0;
    ToInt16(text, number);
    bool flag = false;
    ToBool(text, flag);
    const double value = LenientNumber(text);
    if (value > 100)
        RoundHalfEven(value);
    RoundHalfEven(value * 10);
}

QStringList ReadAll(const Registry& registry, const QList<Value>& values)
{
    QStringList texts;
    for (const Value& v : values) {
        QString text = "(missing)";
        registry.Query(v.root, v.key, v.name, text);
        Convert(text);
        texts.append(text);
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::Folder() + "/registry.reg";
    const QByteArray bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(path, bytes);

    QList<Value> values = KnownValues();
    ValuesIn(bytes, values);
    FileRegistry registry(path);
    const QStringList before = ReadAll(registry, values);

    // A value with every character that needs escaping, and one CP950 lacks.
    const QString set = QString::fromUtf8("C:\\Temp \"1\"\r\n\t歌 \xF0\x9F\x8E\xB5");
    if (!registry.Set(HKey::CurrentUser, kSettings, "Volume", set))
        return 0;
    FileRegistry restarted(path);
    for (const FileRegistry* reader : {&registry, &restarted}) {
        const QStringList after = ReadAll(*reader, values);
        for (int i = 0; i < values.size(); ++i) {
            const Value& v = values[i];
            const bool isSet = v.root == HKey::CurrentUser &&
                               v.key.compare(kSettings, Qt::CaseInsensitive) == 0 &&
                               v.name.compare("Volume", Qt::CaseInsensitive) == 0;
            if (after[i] != (isSet ? set : before[i]))
                std::abort();
        }
    }
    return 0;
}
