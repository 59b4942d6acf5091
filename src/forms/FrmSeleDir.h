#pragma once

#include "app/AppState.h"
#include "forms/ListControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace tolvane {

class DosFiles;
class DriveMap;

// A folder list: the open folders from the drive's root down to the current one,
// then the current folder's subfolders; a double click opens an entry.
class DirListBox : public QListWidget
{
    Q_OBJECT
public:
    DirListBox(const DosFiles& files, QWidget* parent = nullptr);

    const QString& Path() const { return path_; }
    // False, leaving the list as it was, when the folder cannot be reached.
    bool SetPath(const QString& dosPath);

Q_SIGNALS:
    void changed();

private:
    void Fill();

    const DosFiles& files_;
    QString path_;
};

// The directory chooser "指定目錄": a drive, a folder and the folder's files.
class FrmSeleDir : public QWidget
{
    Q_OBJECT
public:
    FrmSeleDir(ChooserState& chooser, const DriveMap& drives, const DosFiles& files,
               QWidget* parent = nullptr);

    QComboBox* Drive1 = nullptr;
    DirListBox* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    FileListBox FileList; // what File1 shows
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;        // the current folder
    QLabel* Label2 = nullptr;        // the file count
    QPushButton* Command5 = nullptr; // OK
    QPushButton* Command6 = nullptr; // Cancel

    // Drive of the form "c:"; false when it is not ready, leaving the folder list.
    bool SetDrive(const QString& drive);
    void SetPattern(const QString& pattern);
    void RefreshDrives();

    void Command5Click();
    void Command6Click();
    // Hides the window, which stays loaded, and ends the caller's wait.
    void CloseForm();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DirChange();
    void ShowDrive(const QString& drive);

    ChooserState& chooser_;
    const DriveMap& drives_;
    const DosFiles& files_;
};

} // namespace tolvane
