#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QLineEdit;

namespace tolvane {

class ButtonFaces;
class Context;
class DiscDetection;
class Forms;
class SkinLoader;

// The procedures of the settings window: loading it, reading all settings into its
// controls, its buttons, and writing the settings back.
class SettingsWindow
{
public:
    SettingsWindow(Context& context, Forms& forms, DiscDetection& detection, SkinLoader& skins,
                   ButtonFaces& faces);

    // Creates the window when not loaded yet and runs its load.
    void Load();
    // Shows the window centred on the main window, which is not on top any more and
    // stays disabled until this window is closed.
    void Show();
    // Enables the main window again and hides this one. Nothing is discarded: the
    // controls keep their edits for the next "確定".
    void CloseForm();

    void ReadSetData();
    void SaveSetData();
    // Rebuilds the search pattern from the selected file types.
    void ChkPatten();
    static QString ChkExtName(const QString& text);

    // "確定": saves every setting and applies the device, timer and pictures.
    void Command2Click();
    // The file-type buttons "加入", "刪除", "確定", "取消".
    void Command5Click(int index);
    void List1Click();
    // The skin picture through the file dialog.
    void Command7Click();
    // "清除按鈕快取": the cached faces are deleted and the skin loaded again.
    void Command10Click();
    void Check1Click();
    void Check3Click();
    void Option3Click();

    // The name filters of the file dialog for a filter of pairs of a description and
    // its patterns, all joined with "|".
    static QStringList NameFilters(const QString& filter);

    // What the button "歌本管理" (Command8) opens.
    std::function<void()> openSongBook;
    // The file chosen in the open dialog, a DOS path; empty when cancelled.
    std::function<QString(const QString& folder, const QString& filter)> chooseFile;
    // The picture-show settings were confirmed.
    std::function<void()> pictureShowChanged;

private:
    void Connect();
    void FormLoad();
    // A ".." button: the directory chooser on the folder in `text`, which takes the
    // folder chosen.
    void ChooseFolderFor(QLineEdit* text, const QString& pattern);
    void ShowPictureControls();
    void ReadFileTypes();
    void ReadFolders();
    void ReadOptions();
    void ReadCheckBoxes();
    void ReadPictureShow();
    void SaveOptions();
    void SaveCheckBoxes();
    void SaveFileTypes();
    void SetShowTimeInterval(int seconds);

    Context& context_;
    Forms& forms_;
    DiscDetection& detection_;
    SkinLoader& skins_;
    ButtonFaces& faces_;
    bool formLoaded_ = false;
    QString skinInField_; // the skin picture Text6 was last filled with or saved from
};

} // namespace tolvane
