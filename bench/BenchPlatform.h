#pragma once

#include "platform/Platform.h"

#include <QApplication>
#include <QString>

namespace tolvane {

// The application object the windows need, on the offscreen platform unless another
// is asked for; made once.
inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tolvane_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// The real platform of a run without a user: no disc, no questions, no second copy,
// no end. C: is `home`, E: is `root` when given.
class NoDisc : public Mci
{
protected:
    int Execute(const QString&, QString& answer) override
    {
        answer.clear();
        return 1;
    }
};

class NoPrompts : public Prompter
{
public:
    int MessageBox(const QString&, int, const QString&) override { return 1; }
    void Beep() override {}
};

class NoInstance : public InstanceGuard
{
public:
    Running ActivateRunning(const QStringList&) override { return Running::None; }
    void Claim() override {}
};

class NoEnd : public ProcessControl
{
public:
    void End(int) override {}
    bool OpenDocument(const QString&) override { return false; }
};

struct BenchPlatform
{
    BenchPlatform(const QString& home, const QString& root, Mci& device, MediaEngine& media)
        : drives(root.isEmpty() ? QList<Drive>{{'C', home, kDriveFixed}}
                                : QList<Drive>{{'C', home, kDriveFixed}, {'E', root, kDriveFixed}}),
          files(drives), registry(home + "/registry.reg"),
          events(drives, trays), platform{drives,          files,    registry,      prompter,
                                          clock,           instance, process,       device,
                                          events,          trays,    CodePage(950), "C:\\Windows",
                                          "C:\\Tolvane99", media}
    {
    }

    DriveMap drives;
    DosFiles files;
    FileRegistry registry;
    NoPrompts prompter;
    SystemClock clock;
    NoInstance instance;
    NoEnd process;
    DiscTrays trays;
    DeviceEvents events;
    Platform platform;
};

} // namespace tolvane
