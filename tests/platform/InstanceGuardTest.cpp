#include "platform/InstanceGuard.h"
#include "platform/DriveMap.h"
#include "platform/SystemFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

TEST(LocalInstanceGuard, ALaterCopyFindsTheFirstAndAsksItForward)
{
    QString name = QStringLiteral("tolvane99-test-%1").arg(QCoreApplication::applicationPid());
    LocalInstanceGuard first(name);
    LocalInstanceGuard second(name);
    EXPECT_FALSE(first.ActivateRunning());
    first.Claim();
    int requests = 0;
    QObject::connect(&first, &InstanceGuard::activationRequested, [&] { ++requests; });
    EXPECT_TRUE(second.ActivateRunning());
    QElapsedTimer timer;
    timer.start();
    while (requests == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(requests, 1);
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
