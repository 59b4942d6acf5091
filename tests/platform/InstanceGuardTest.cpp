#include "platform/InstanceGuard.h"
#include "MediaFixtures.h"
#include "platform/DriveMap.h"
#include "platform/LocalNames.h"
#include "platform/SystemFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tolvane;

namespace {

QString GuardName(const char* role)
{
    return QStringLiteral("tolvane99-test-%1-%2").arg(role).arg(QCoreApplication::applicationPid());
}

// A socket listening at the guard's name that nobody ever accepts from, as a frozen
// copy's; `queued` calls already wait in its queue.
class FrozenCopy
{
public:
    FrozenCopy(const QString& name, int backlog, int queued)
    {
        const sockaddr_un address = Address(name);
        listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ::unlink(address.sun_path);
        ok = listener_ >= 0 &&
             ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
             ::listen(listener_, backlog) == 0;
        for (int i = 0; ok && i < queued; ++i) {
            const int caller = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
            callers_.push_back(caller);
            ok =
                ::connect(caller, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        }
    }
    ~FrozenCopy()
    {
        for (int caller : callers_)
            ::close(caller);
        if (listener_ >= 0)
            ::close(listener_);
    }

    // The socket file at the guard's name, where the guard looks for it.
    static sockaddr_un Address(const QString& name)
    {
        const QByteArray path = QFile::encodeName(QDir::tempPath() + "/" + name);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(),
                    std::min(size_t(path.size()), sizeof address.sun_path - 1));
        return address;
    }

    bool ok = false;

private:
    int listener_ = -1;
    std::vector<int> callers_;
};

} // namespace

// A copy that crashed left its socket file behind with nobody listening on it; it does
// not block the start, and the copy started then is found and asked forward.
TEST(LocalInstanceGuard, ALaterCopyFindsTheFirstAndAsksItForward)
{
    const QString name = GuardName("forward");
    {
        FrozenCopy crashed(name, 1, 0);
    }
    ASSERT_TRUE(QFileInfo::exists(QFile::decodeName(FrozenCopy::Address(name).sun_path)));
    LocalInstanceGuard first(name), second(name);
    EXPECT_EQ(first.ActivateRunning({}), InstanceGuard::Running::None);
    first.Claim();
    int requests = 0;
    QObject::connect(&first, &InstanceGuard::activationRequested, [&] { ++requests; });
    // The first copy answers from its event loop, which here runs beside the later one.
    std::unique_ptr<QThread> later(QThread::create([&] {
        LocalInstanceGuard third(name);
        EXPECT_EQ(third.ActivateRunning({}), InstanceGuard::Running::Activated);
    }));
    later->start();
    EXPECT_TRUE(RunEventsUntil([&] { return later->isFinished(); }));
    later->wait();
    EXPECT_EQ(requests, 1);
    // Once released, the name is free for the next start.
    first.Release();
    EXPECT_EQ(second.ActivateRunning({}), InstanceGuard::Running::None);
}

// The paths a later copy is started with reach the running copy as they were given:
// names of bytes that are no UTF-8, blanks and line ends included. A line that is no
// request is not answered and opens nothing.
TEST(LocalInstanceGuard, ALaterCopyHandsItsPathsToTheRunningOne)
{
    const QString name = GuardName("paths");
    LocalInstanceGuard first(name);
    first.Claim();
    QList<QStringList> opened;
    int activations = 0;
    QObject::connect(&first, &InstanceGuard::activationRequested, [&] { ++activations; });
    QObject::connect(&first, &InstanceGuard::openRequested,
                     [&](const QStringList& paths) { opened.append(paths); });
    const QStringList paths = {LocalName("/music/\xBA\x71 a.mp3"), "/music/two\nlines",
                               "/discs/disc.cue"};
    std::unique_ptr<QThread> later(QThread::create([&] {
        LocalInstanceGuard copy(name);
        EXPECT_EQ(copy.ActivateRunning(paths), InstanceGuard::Running::Activated);
        QLocalSocket stranger;
        stranger.connectToServer(name);
        ASSERT_TRUE(stranger.waitForConnected(5000));
        stranger.write("open %%%\nplay /etc/passwd\n");
        stranger.flush();
        EXPECT_FALSE(stranger.waitForReadyRead(500));
    }));
    later->start();
    EXPECT_TRUE(RunEventsUntil([&] { return later->isFinished(); }));
    later->wait();
    EXPECT_EQ(activations, 1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], paths);
    EXPECT_EQ(LocalBytes(opened[0][0]), QByteArray("/music/\xBA\x71 a.mp3"));
}

// A copy that holds the name but is frozen: the system takes the call into its queue
// (or the queue is full) and no answer comes. The new copy gives up after a second.
TEST(LocalInstanceGuard, ACopyThatNeverAnswersIsReportedAfterASecond)
{
    struct Case
    {
        const char* what;
        int backlog;
        int queued;
    };
    for (const Case& c : {Case{"takes the call", 5, 0}, Case{"has a full queue", 0, 1}}) {
        SCOPED_TRACE(c.what);
        const QString name = GuardName("frozen");
        FrozenCopy frozen(name, c.backlog, c.queued);
        ASSERT_TRUE(frozen.ok);
        LocalInstanceGuard later(name);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(later.ActivateRunning({}), InstanceGuard::Running::NoAnswer);
        EXPECT_GE(clock.elapsed(), 900);
        EXPECT_LT(clock.elapsed(), 10000);
    }
    ::unlink(FrozenCopy::Address(GuardName("frozen")).sun_path);
}

TEST(SystemFolders, WindowsFolderIsCreatedAndProgramFolderIsTheExecutables)
{
    QTemporaryDir dir;
    QString home = dir.path() + "/home";
    QDir().mkpath(home + "/bin");
    DriveMap drives({{'C', home, kDriveFixed}, {'Z', dir.path(), kDriveFixed}});
    SystemFolders folders(drives, home, home + "/bin");
    EXPECT_EQ(folders.WindowsDirectory(), "C:\\.local\\share\\tolvane99\\WINDOWS");
    EXPECT_TRUE(QFileInfo(home + "/.local/share/tolvane99/WINDOWS").isDir());
    EXPECT_EQ(folders.ProgramFolder(), "C:\\bin");
}

// Installed, the program works in the user's own copy of the resources beside bin/,
// even where bin/ may be written (a package unpacked by its user, a run as root); the
// staged build keeps its own folder.
TEST(SystemFolders, AnInstalledProgramWorksInTheUsersCopyOfItsResources)
{
    QTemporaryDir dir;
    const QString home = dir.path() + "/home";
    const QString root = dir.path() + "/root/usr";
    QDir().mkpath(root + "/bin");
    QDir().mkpath(root + "/share/tolvane99/Skin");
    QDir().mkpath(root + "/share/tolvane99/Desk");
    QFile(root + "/share/tolvane99/Skin/Ocean.jpg").open(QIODevice::WriteOnly);
    QFile(root + "/share/tolvane99/ReadMe.rtf").open(QIODevice::WriteOnly);
    DriveMap drives({{'C', home, kDriveFixed}, {'Z', dir.path(), kDriveFixed}});
    QDir().mkpath(home);
    EXPECT_EQ(SystemFolders(drives, home, root + "/bin").ProgramFolder(),
              "C:\\.local\\share\\tolvane99\\program");
    const QString copy = SystemFolders::UserProgramFolderLocal(home);
    EXPECT_TRUE(QFileInfo::exists(copy + "/Skin/Ocean.jpg"));
    EXPECT_TRUE(QFileInfo::exists(copy + "/ReadMe.rtf"));

    // A folder holding its own resources is the program folder, share/ beside or not.
    QDir().mkpath(root + "/bin/Skin");
    EXPECT_EQ(SystemFolders(drives, home, root + "/bin").ProgramFolder(), "Z:\\root\\usr\\bin");
}
