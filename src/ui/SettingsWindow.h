#pragma once

#include <QString>
#include <functional>

namespace tolvane {

class Context;
class DiscDetection;
class Forms;

// The procedures of the settings window: loading it, reading all settings into its
// controls and writing them back.
class SettingsWindow
{
public:
    SettingsWindow(Context& context, Forms& forms, DiscDetection& detection)
        : context_(context), forms_(forms), detection_(detection)
    {
    }

    // Creates the window when not loaded yet and runs its load.
    void Load();
    void ReadSetData();
    void SaveSetData();
    // Rebuilds the search pattern from the selected file types.
    void ChkPatten();
    static QString ChkExtName(const QString& text);
    void Check1Click();
    void Check3Click();

    // What the button "歌本管理" (Command8) opens.
    std::function<void()> openSongBook;
    // The picture-show settings were confirmed.
    std::function<void()> pictureShowChanged;

private:
    void FormLoad();
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
};

} // namespace tolvane
