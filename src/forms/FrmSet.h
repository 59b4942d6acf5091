#pragma once

#include "forms/ListControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <array>

namespace tolvane {

// The settings window "設定組態": one control per user setting, grouped by frames.
// Loaded hidden at start-up and only shown and hidden afterwards.
class FrmSet : public QWidget
{
    Q_OBJECT
public:
    explicit FrmSet(QWidget* parent = nullptr);

    static const QStringList& BuiltInFileTypes();

    // Start mode.
    std::array<QRadioButton*, 3> Option1{};
    QCheckBox* Check2 = nullptr; // play when a disc is inserted
    QCheckBox* Check5 = nullptr; // play after a search
    QCheckBox* Check7 = nullptr; // check for mixed discs
    QComboBox* Combo1 = nullptr; // configured device
    // Song book.
    std::array<QRadioButton*, 3> Option4{};
    QCheckBox* Check4 = nullptr;
    QPushButton* Command8 = nullptr;
    // Master volume.
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label4 = nullptr;
    // Folders.
    QLabel* Label1 = nullptr;   // "工作中面版"
    QLabel* Label3 = nullptr;   // "按鈕快取目錄"
    QLabel* Label5 = nullptr;   // "抓圖目錄"
    QLineEdit* Text6 = nullptr; // current skin picture
    QPushButton* Command7 = nullptr;
    QLineEdit* Text2 = nullptr; // button cache folder
    QPushButton* Command4 = nullptr;
    QLineEdit* Text7 = nullptr; // capture folder
    QPushButton* Command9 = nullptr;
    QCheckBox* Check3 = nullptr; // create the lyrics mapping folder
    QLineEdit* Text5 = nullptr;  // song folder
    QPushButton* Command6 = nullptr;
    QPushButton* Command10 = nullptr;
    // End of disc.
    std::array<QRadioButton*, 3> Option2{};
    // File types.
    QListWidget* List1 = nullptr;
    QLineEdit* Text4 = nullptr;
    std::array<QPushButton*, 4> Command5{};
    // Picture show.
    QCheckBox* Check6 = nullptr; // MTV mode
    QCheckBox* Check1 = nullptr; // change background pictures
    std::array<QRadioButton*, 2> Option3{};
    QScrollBar* VScroll1 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text1 = nullptr; // background-picture folder
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr; // OK
    QPushButton* Command3 = nullptr; // Cancel
    // Hidden lists.
    FileListBox File1;
    FileListBox Dir1;
    DriveListBox Drive1;

    static constexpr int kShowTimeDesign = 5; // VScroll1's value at design time

Q_SIGNALS:
    // The window's close box; the window stays as it is.
    void closeBox();
    // Hidden by the program (not minimised by the user).
    void hidden();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* BuildStartMode();
    QWidget* BuildSongBook();
    QWidget* BuildVolume();
    QWidget* BuildFolders();
    QWidget* BuildStopMode();
    QWidget* BuildFileTypes();
    QWidget* BuildPictureShow();
};

} // namespace tolvane
