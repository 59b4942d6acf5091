#include "fakes/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace tolvane {

QString MemoryRegistry::Id(HKey root, const QString& key, const QString& name)
{
    return (Registry::RootName(root) + "\\" + key + "\n" + name).toLower();
}

bool MemoryRegistry::Query(HKey root, const QString& key, const QString& name, QString& value) const
{
    auto it = values_.constFind(Id(root, key, name));
    if (it == values_.constEnd())
        return false;
    value = *it;
    return true;
}

bool MemoryRegistry::Set(HKey root, const QString& key, const QString& name, const QString& value)
{
    values_.insert(Id(root, key, name), value);
    writes.append(name);
    return true;
}

int ScriptedPrompter::MessageBox(const QString& prompt, int style, const QString& caption)
{
    shown.append({prompt, style, caption});
    if (onShown)
        onShown();
    if (answers.isEmpty())
        return (style & 0x0F) == kMbYesNo ? kIdNo : kIdOk;
    return answers.takeFirst();
}

void FakeClock::Delay(double seconds)
{
    now = now.addMSecs(static_cast<qint64>(seconds * 1000));
    if (onDelay)
        onDelay(seconds);
}

void FakeClock::WaitForEvents()
{
    ++waits;
    if (onWait)
        onWait();
}

namespace {

QString MakeHome(const QTemporaryDir& dir)
{
    QString home = dir.path() + "/home";
    QDir().mkpath(home + "/Tolvane99");
    QDir().mkpath(home + "/.local/share/tolvane99/WINDOWS");
    return home;
}

} // namespace

FakePlatform::FakePlatform(bool withSkin)
    : home(MakeHome(dir)), drives({{'C', home, kDriveFixed}, {'Z', dir.path(), kDriveFixed}}),
      platform{drives,          files,    registry,      prompter,
               clock,           instance, process,       mci,
               events,          trays,    CodePage(950), "C:\\.local\\share\\tolvane99\\WINDOWS",
               "C:\\Tolvane99", engine}
{
    drives.SetTrays(&trays);
    files.MakeFolder("C:\\Tolvane99\\Desk");
    files.MakeFolder("C:\\Tolvane99\\Skin");
    QImage face(64, 48, QImage::Format_RGB32);
    face.fill(QColor(30, 60, 90));
    face.save(LocalPath("C:\\Tolvane99\\Desk") + "/Tolvan.JPG", "JPG");
    if (withSkin)
        WriteSkinPicture("Ocean.jpg");
}

void FakePlatform::WriteSkinPicture(const QString& name) const
{
    QImage face(80, 60, QImage::Format_RGB32);
    face.fill(QColor(10, 90, 120));
    face.save(LocalPath("C:\\Tolvane99\\Skin") + "/" + name, "JPG");
}

QByteArray FakePlatform::ReadBytes(const QString& dosPath) const
{
    QByteArray bytes;
    files.ReadAll(dosPath, bytes);
    return bytes;
}

QStringList FakePlatform::LogTexts() const
{
    QStringList texts;
    for (const QString& line : ReadLines("C:\\Tolvane99\\TL99.log"))
        texts.append(line.mid(9));
    return texts;
}

QStringList FakePlatform::ReadLines(const QString& dosPath) const
{
    QString text = platform.codePage.DecodeFile(ReadBytes(dosPath));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace tolvane
