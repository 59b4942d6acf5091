#include "platform/InstanceGuard.h"
#include "MediaFixtures.h"
#include "platform/DriveMap.h"
#include "platform/SystemFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tolvane;

TEST(LocalInstanceGuard, ALaterCopyFindsTheFirstAndAsksItForward)
{
    QString name = QStringLiteral("tolvane99-test-%1").arg(QCoreApplication::applicationPid());
    LocalInstanceGuard first(name), second(name);
    EXPECT_FALSE(first.ActivateRunning());
    first.Claim();
    int requests = 0;
    QObject::connect(&first, &InstanceGuard::activationRequested, [&] { ++requests; });
    EXPECT_TRUE(second.ActivateRunning());
    RunEventsUntil([&] { return requests > 0; }, 5000);
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
