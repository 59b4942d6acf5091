// The real program, run as a user runs it, ended from outside.
#include "app/Settings.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace tolvane {
namespace {

void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

// A copy of the staged program folder (the program writes its log there) with a home
// of its own, no sound and no picture; the single-instance socket lives in its own
// temporary folder, so a copy running elsewhere is not asked forward.
class RealProgram
{
public:
    RealProgram()
    {
        CopyTree(TOLVANE_STAGE_DIR, Program());
        // A log a run of the staged program left there would answer WaitForLog early.
        QFile::remove(Program() + "/TL99.log");
        QDir().mkpath(Home());
        QDir().mkpath(Temp());
        // The read-me window waits for the user at every start until told not to.
        Setting("ReadMe", "1");
    }
    ~RealProgram()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    QString Program() const { return dir.path() + "/program"; }
    QString Home() const { return dir.path() + "/home"; }
    QString Temp() const { return dir.path() + "/tmp"; }
    QString Socket() const { return Temp() + QStringLiteral("/tolvane99-%1").arg(getuid()); }

    void Setting(const char* name, const QString& value) const
    {
        FileRegistry registry(FileRegistry::DefaultPath(Home()));
        Settings(registry).SaveUserSetting(name, value);
    }
    QString Setting(const char* name) const
    {
        FileRegistry registry(FileRegistry::DefaultPath(Home()));
        return Settings(registry).GetUserSetting(name, "<none>");
    }

    void Start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", Home());
        env.insert("TMPDIR", Temp());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TOLVANE99_MPV", "ao=null;vo=null");
        for (const char* name : {"TOLVANE99_DRIVES", "TOLVANE99_CDROM_IMAGE", "LANGUAGE"})
            env.remove(name);
        process.setProcessEnvironment(env);
        // As started from a terminal, even when this test runs where these are ignored
        // (a background job ignores SIGINT, and ignored signals stay ignored).
        process.setChildProcessModifier([] {
            for (int number : {SIGTERM, SIGINT, SIGHUP})
                ::signal(number, SIG_DFL);
        });
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(Program() + "/Tolvane99", {});
        ASSERT_TRUE(process.waitForStarted(30000));
    }

    // The log's texts after their time stamps.
    QStringList LogTexts() const
    {
        QFile file(Program() + "/TL99.log");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList texts;
        for (const QString& line : CodePage(950).DecodeFile(file.readAll()).split("\r\n"))
            texts.append(line.mid(9));
        if (!texts.isEmpty() && texts.last().isEmpty())
            texts.removeLast();
        return texts;
    }

    // Waits, on a loaded machine too, for a line of the log.
    bool WaitForLog(const QString& text)
    {
        QDeadlineTimer deadline(60000);
        while (!LogTexts().contains(text)) {
            if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(5);
        }
        return true;
    }

    void Signal(int number) { ::kill(pid_t(process.processId()), number); }

    QTemporaryDir dir;
    QProcess process;
};

// The lines of the orderly exit; the taskbar window's close ends the run after them.
const QStringList kExitLines = {"儲存個人參數", "關閉媒體控制介面", "釋放所有物件",
                                "退出Tolvane99 V1.1.400", "不正常關閉Tolvane99 V1.1.400"};

// A logout (SIGHUP, SIGTERM) or a Ctrl+C (SIGINT) runs the orderly exit: the settings
// are saved, the log says so and the process ends normally, its socket gone.
TEST(RealProgramExit, EndSignalsRunTheOrderlyExit)
{
    for (auto [number, name] :
         {std::pair{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}}) {
        SCOPED_TRACE(name);
        RealProgram program;
        program.Start();
        ASSERT_TRUE(program.WaitForLog("進入主程式"));
        EXPECT_TRUE(QFileInfo::exists(program.Socket()));
        EXPECT_EQ(program.Setting("Width"), "<none>");
        program.Signal(number);
        ASSERT_TRUE(program.process.waitForFinished(60000));
        EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.process.exitCode(), 0);
        const QStringList texts = program.LogTexts();
        EXPECT_EQ(texts.mid(texts.size() - 6),
                  QStringList{QString("系統要求結束(%1)").arg(name)} + kExitLines);
        EXPECT_EQ(program.Setting("Width"), "354");
        EXPECT_EQ(program.Setting("Volume"), "1000");
        EXPECT_FALSE(QFileInfo::exists(program.Socket()));
    }
}

// The end comes while the start scans the music folders: the exit ends the process
// there, and the start never goes on over the windows the exit unloaded.
TEST(RealProgramExit, AnEndDuringTheStartUpScanEndsTheProcessThere)
{
    RealProgram program;
    // Enough folders on C: that the scan is still walking them when the end arrives.
    const QString music = program.Home() + "/music";
    for (int i = 0; i < 200; ++i)
        for (int j = 0; j < 100; ++j)
            QDir().mkpath(QString("%1/d%2/e%3").arg(music).arg(i).arg(j));
    program.Setting("DiskName", "C:");
    program.Setting("ScanType2", "True");
    program.Setting("ScanType3", "False");
    program.Start();
    ASSERT_TRUE(program.WaitForLog("開始搜尋音樂檔"));
    program.Signal(SIGTERM);
    ASSERT_TRUE(program.process.waitForFinished(60000));
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process.exitCode(), 0);
    const QStringList texts = program.LogTexts();
    const qsizetype scan = texts.indexOf("開始搜尋音樂檔");
    const qsizetype exit = texts.indexOf("系統要求結束(SIGTERM)");
    ASSERT_GT(scan, 0);
    ASSERT_GT(exit, scan);
    // Between the scan's start and the end, only the folders it walked.
    for (const QString& text : texts.mid(scan + 1, exit - scan - 1))
        EXPECT_TRUE(text.startsWith("C:\\", Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_EQ(texts.mid(exit + 1), kExitLines);
    EXPECT_EQ(program.Setting("Width"), "354");
}

} // namespace
} // namespace tolvane
