#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tolvane {

class Context;
class Forms;
class FrmSongSet;
class PlaybackController;

// What the open and save dialogs of the play list window start with.
struct ListDialog
{
    bool save = false;
    QString folder; // DOS path
    QString name;   // without its extension
    QString filter; // "List File (*.m3u)"
    QString suffix; // added to a name typed without one
};

// The procedures of the play list window: assembling, loading and saving a list of
// files, and handing it to the playback controller, or, in its printing use, to the
// printer.
class PlayListWindow
{
public:
    PlayListWindow(Context& context, Forms& forms, PlaybackController& controller);

    // The file chosen in an open or save dialog, a DOS path; empty when cancelled.
    std::function<QString(const ListDialog&)> fileDialog;
    // Whether the system has a printer; asked each time the printing window opens.
    std::function<bool()> printerInstalled;
    // Prints the lyrics files chosen in the printing window, in list order.
    std::function<void(const QStringList& paths)> print;

    // Hooks the window's controls to their procedures; once, when it is made.
    void Connect(FrmSongSet& window);

    // The menu entries: play a list, print lyrics, add the file now playing.
    void mPath1_Click();
    void mSongText_Click();
    void mADDList_Click();
    // Plays files given from outside the window (the command line, the desktop) as
    // the window's hand-over does.
    void PlayFiles(const QStringList& paths);

    // Errors end both quietly, leaving the list, the caption and the list file.
    void ReadListFile(const QString& path);
    void SaveListFile(const QString& path);

    void Command1Click();
    void Command2Click();
    void Command3Click();
    void Command4Click();
    // Hands the list over: beeps and stays open when it is empty.
    void Command5Click();
    void Command6Click();
    void Command7Click();
    void Command8Click();
    // Moves the selected row: -1 up, +1 down, or to the first or last row.
    void MoveRow(int step);
    void MoveRowToEnd(bool last);
    void Timer1Timer();

    const QString& ListFile() const { return listFile_; }
    // The number of entries handed over; 0 when the window was left without starting.
    int ListPlayCount = 0;
    // The full paths handed over, in list order.
    QStringList HandedOver;

private:
    FrmSongSet& Window();
    // Readies the window for one use; false when it is open already (it is raised).
    bool Prepare(bool printing);
    void SetListFile(const QString& path);
    int Selected();
    void SelectRow(int row);
    QStringList RowPaths();
    void AddFiles(bool selectedOnly);
    void ClearRows();
    void Browse(const QString& folder);
    void ShowDrive(const QString& drive);
    void ShowFiles();
    void SetPatterns(const QStringList& patterns);
    QString Ask(bool save);
    bool ShowAndWait();
    void FillPlayList();
    void PlayHandedOver();

    Context& context_;
    Forms& forms_;
    PlaybackController& controller_;
    QString listFile_;
    QString dialogFilter_ = QStringLiteral("List File (*.m3u)");
    QString dialogSuffix_ = QStringLiteral("m3u");
    bool printing_ = false;
    bool printerReady_ = false;
    int loads_ = 0; // a load in progress stops when this moves on
};

} // namespace tolvane
