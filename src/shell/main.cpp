#include "app/AppIcon.h"
#include "platform/CdAudioMci.h"
#include "platform/CdDisc.h"
#include "platform/CommandLine.h"
#include "platform/DriveFileWatcher.h"
#include "platform/EndSignals.h"
#include "platform/MediaPlayerBus.h"
#include "platform/OpticalWatcher.h"
#include "platform/SystemFolders.h"
#include "shell/Player.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <functional>

using namespace tolvane;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tolvane99");
    QApplication::setOrganizationName("Ostrana");
    // Let the last window's hiding not end the run: the exit procedures do that.
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font("Noto Sans CJK TC");
    font.setPointSize(10);
    QApplication::setFont(font);
    QApplication::setWindowIcon(AppIcon());

    // Made first: a logout or a Ctrl+C from here on is taken once events run, instead
    // of ending the process where it stands. Until the start-up is made there is
    // nothing to save, and the process ends at once.
    AppProcessControl process;
    EndSignals endSignals;
    std::function<void(int)> endRequested = [&process](int) { process.End(0); };
    QObject::connect(&endSignals, &EndSignals::received, &endSignals,
                     [&endRequested](int signal) { endRequested(signal); });
    QuietCdioLog();
    QString home = QDir::homePath();
    DiscTrays trays;
    DriveMap drives = DriveMap::FromUser(home);
    drives.SetTrays(&trays);
    DosFiles files(drives);
    SystemFolders folders(drives, home, QCoreApplication::applicationDirPath());
    FileRegistry registry(FileRegistry::DefaultPath(home));
    Registry::SeedSystemValues(registry);
    DialogPrompter prompter;
    SystemClock clock;
    LocalInstanceGuard instance(LocalInstanceGuard::UserServerName());
    process.AtEnd([&instance] { instance.Release(); });
    MediaEngine engine(MpvOptionsFromEnvironment());
    std::unique_ptr<CdAudioMci> cdAudio = CdAudioMci::FromEnvironment(trays, engine);
    DeviceEvents events(drives, trays);
    events.WatchDisplay();
    events.WatchImages();
    OpticalWatcher optical(drives, events);
    DriveFileWatcher drivesFile(drives, trays, events, DriveMap::ConfigFile(home));
    Platform platform{drives,
                      files,
                      registry,
                      prompter,
                      clock,
                      instance,
                      process,
                      *cdAudio,
                      events,
                      trays,
                      CodePage(950),
                      folders.WindowsDirectory(),
                      folders.ProgramFolder(),
                      engine};

    // Files, folders, lists or a disc, as paths or as the addresses a desktop entry
    // gives; the application object has taken its own options out of argv.
    QList<QByteArray> words;
    for (int i = 1; i < argc; ++i)
        words.append(QByteArray(argv[i]));

    Player player(platform);
    Startup startup(player, CommandLinePaths(words, WorkingFolder()));
    endRequested = [&startup](int signal) { startup.EndRequested(EndSignals::Name(signal)); };
    startup.Main();
    if (player.context.Ended())
        return 0;

    // The media keys and the desktop's "now playing", while this copy runs.
    MediaPlayerBus bus("tolvane99", "Tolvane99", "tolvane99");
    MediaKeys& keys = player.mediaKeys;
    bus.requests = {[&keys] { keys.Play(); },
                    [&keys] { keys.Pause(); },
                    [&keys] { keys.PlayPause(); },
                    [&keys] { keys.Stop(); },
                    [&keys] { keys.Next(); },
                    [&keys] { keys.Previous(); },
                    [&startup] { startup.BringForward(); },
                    [&startup] { startup.CloseForm(); },
                    [&keys](qint64 offset) { keys.Seek(offset); },
                    [&keys](qint64 position) { keys.SetPosition(position); },
                    [&keys](double volume) { keys.SetVolume(volume); },
                    [&player](const QStringList& paths) { player.desktopOpen.Open(paths); }};
    bus.nowPlaying = [&keys] { return keys.Now(); };
    bus.log = [&player](const QString& text) { player.context.log.LogWrite(text); };
    bus.Register();
    return QApplication::exec();
}
