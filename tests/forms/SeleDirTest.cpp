#include "forms/SeleDir.h"
#include "fakes/FakePlatform.h"
#include "forms/FrmSeleDir.h"
#include "shell/Player.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The chooser opened from a field of a window, as the callers do.
class SeleDirTest : public ::testing::Test
{
protected:
    SeleDirTest()
    {
        for (const char* name : {"Sea/a.jpg", "Sea/b.GIF", "Sea/notes.txt", "Empty/readme.txt"}) {
            QDir().mkpath(QFileInfo(root + "/" + name).path());
            QFile(root + "/" + name).open(QIODevice::WriteOnly);
        }
        QDir().mkpath(root + "/Sea/Deep");
        fake.drives.Add({'P', root, kDriveFixed});
        // A CD-ROM drive without a disc.
        fake.drives.Add({'D', fake.dir.path() + "/no-disc", kDriveCdrom});
        field.setText("P:\\Sea");
    }

    // What a caller does: its field gets the answer unless it is empty.
    void Choose(const QString& pattern)
    {
        const QString chosen =
            ChooseFolder(player.context, player.forms, caller, field.text(), pattern);
        if (!chosen.isEmpty())
            field.setText(chosen);
    }

    FakePlatform fake;
    Player player{fake.platform};
    const QString root = fake.dir.path() + "/pics";
    QWidget caller;
    QLineEdit field;
};

TEST_F(SeleDirTest, OkReturnsTheFolderShownAndTheWindowCountsItsPictures)
{
    fake.clock.onWait = [&] {
        FrmSeleDir& window = player.forms.SeleDir();
        EXPECT_TRUE(!caller.isEnabled() && window.isVisible() && player.context.app.Chooser.Open);
        QStringList files;
        for (int i = 0; i < window.File1->count(); ++i)
            files.append(window.File1->item(i)->text());
        EXPECT_EQ(files, QStringList({"a.jpg", "b.GIF"}));
        EXPECT_EQ(QStringList({window.Label2->text(), window.Label1->text(), window.Text1->text()}),
                  QStringList({"2 個檔", "P:\\Sea", "*.jpg;*.bmp;*.gif"}));
        EXPECT_TRUE(window.Drive1->currentText().startsWith("p:"));
        window.Dir1->SetPath("P:\\Sea\\Deep");
        window.Command5->click();
    };
    Choose("*.jpg;*.bmp;*.gif");
    EXPECT_EQ(std::tuple(fake.clock.waits, caller.isEnabled(), field.text(),
                         player.forms.SeleDir().isVisible(), player.context.app.Chooser.Open),
              std::tuple(1, true, QString("P:\\Sea\\Deep"), false, false));

    // Opened again on a folder without pictures.
    field.setText("P:\\Empty");
    fake.clock.onWait = [&] {
        EXPECT_EQ(player.forms.SeleDir().Label2->text(), "0 個檔");
        player.forms.SeleDir().Command5->click();
    };
    Choose("*.jpg;*.bmp;*.gif");
    EXPECT_EQ(fake.clock.waits, 2);
}

TEST_F(SeleDirTest, CancelLeavesTheFieldAndTheCloseBoxGivesBackItsFolder)
{
    fake.clock.onWait = [&] { player.forms.SeleDir().Command6->click(); };
    Choose("*.*");
    EXPECT_EQ(player.context.app.Chooser.Path, "");
    EXPECT_EQ(field.text(), "P:\\Sea");

    fake.clock.onWait = [&] {
        player.forms.SeleDir().Dir1->SetPath("P:\\Empty");
        player.forms.SeleDir().close();
    };
    Choose("*.*");
    EXPECT_EQ(player.context.app.Chooser.Path, "P:\\Sea");
    EXPECT_EQ(field.text(), "P:\\Sea");
    EXPECT_TRUE(player.forms.IsLoaded(Window::SeleDir)); // only hidden
}

TEST_F(SeleDirTest, ADriveThatIsNotReadyLeavesTheListsWhereTheyWere)
{
    fake.clock.onWait = [&] { player.forms.SeleDir().Command5->click(); };
    Choose("*.*");
    field.setText("D:\\Video");
    fake.clock.onWait = [&] {
        FrmSeleDir& window = player.forms.SeleDir();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.Dir1->Path(), "P:\\Sea");
        // Picking the empty drive in the window's list changes nothing either.
        const int empty = window.Drive1->findText("d:", Qt::MatchStartsWith);
        ASSERT_GE(empty, 0);
        window.Drive1->setCurrentIndex(empty);
        Q_EMIT window.Drive1->activated(empty);
        EXPECT_EQ(window.Dir1->Path(), "P:\\Sea");
        EXPECT_TRUE(window.Drive1->currentText().startsWith("p:"));
        // A ready drive moves the folder list to its root.
        Q_EMIT window.Drive1->activated(window.Drive1->findText("c:", Qt::MatchStartsWith));
        EXPECT_EQ(window.Label1->text(), "c:\\");
        window.Dir1->SetPath("P:\\Sea");
        window.Command5->click();
    };
    Choose("*.*");
    EXPECT_EQ(std::tuple(fake.clock.waits, field.text()), std::tuple(2, QString("P:\\Sea")));
}

} // namespace
} // namespace tolvane
