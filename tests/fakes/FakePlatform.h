#pragma once

#include "fakes/FakeMci.h"
#include "fakes/QtPrinters.h"
#include "platform/Platform.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace tolvane {

// The registry in memory; records every write in order.
class MemoryRegistry : public Registry
{
public:
    bool Query(HKey root, const QString& key, const QString& name, QString& value) const override;
    bool Set(HKey root, const QString& key, const QString& name, const QString& value) override;

    QStringList writes; // value names in the order they were written
private:
    static QString Id(HKey root, const QString& key, const QString& name);
    QHash<QString, QString> values_;
};

// Answers message boxes from a script and remembers what was shown.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        QString prompt;
        int style;
        QString caption;
    };
    int MessageBox(const QString& prompt, int style, const QString& caption) override;
    void Beep() override { ++beeps; }

    QList<int> answers; // taken from the front; OK when empty
    QList<Shown> shown;
    std::function<void()> onShown; // what happens while a box is up
    int beeps = 0;
};

// Time stands still unless a wait moves it; waits return at once.
class FakeClock : public Clock
{
public:
    QDateTime Now() const override { return now; }
    void Delay(double seconds) override;
    void DoEvents() override
    {
        ++doEvents;
        if (onDoEvents)
            onDoEvents();
    }
    void WaitForEvents() override;

    QDateTime now{QDate(2026, 12, 5), QTime(9, 5, 3)};
    int doEvents = 0;
    std::function<void()> onDoEvents; // what the user does while events run once
    std::function<void()> onWait;     // what the user does while the program waits
    int waits = 0;
    // What happens while a Delay lets events run, with the seconds asked for.
    std::function<void(double)> onDelay;
};

class FakeInstanceGuard : public InstanceGuard
{
public:
    Running ActivateRunning(const QStringList& localPaths) override
    {
        activated = running != Running::None;
        handed = localPaths;
        return running;
    }
    void Claim() override { claimed = true; }

    Running running = Running::None; // what a copy already running does
    bool activated = false;
    bool claimed = false;
    QStringList handed; // the paths given to the copy running
};

class FakeProcess : public ProcessControl
{
public:
    void End(int code) override { ends.append(code); }
    bool OpenDocument(const QString& localPath) override
    {
        opened.append(localPath);
        return true;
    }
    QList<int> ends;
    QStringList opened;
};

// A whole platform over a temporary folder: C: is a fresh home, Z: its parent, the
// program folder is C:\Tolvane99 with one skin picture unless told otherwise. The
// device events are real: image drives added to `drives` report their virtual trays,
// and RaiseArrival / RaiseRemoval stand in for a disc put in or taken out.
class FakePlatform
{
public:
    explicit FakePlatform(bool withSkin = true);

    QString LocalPath(const QString& dosPath) const { return drives.ToLocal(dosPath); }
    QByteArray ReadBytes(const QString& dosPath) const;
    // The lines of a file in the ANSI code page, without their CR LF.
    QStringList ReadLines(const QString& dosPath) const;
    // The log's lines after their "hh:mm:ss " time stamps.
    QStringList LogTexts() const;
    void WriteSkinPicture(const QString& name) const;

    QTemporaryDir dir;
    QString home;
    DiscTrays trays;
    DriveMap drives;
    DosFiles files{drives};
    MemoryRegistry registry;
    ScriptedPrompter prompter;
    FakeClock clock;
    FakeInstanceGuard instance;
    FakeProcess process;
    FakeMci mci;
    DeviceEvents events{drives, trays};
    MediaEngine engine{{{"vo", "null"}, {"ao", "null"}}};
    Platform platform;
};

} // namespace tolvane
