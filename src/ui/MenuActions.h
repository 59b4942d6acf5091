#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QMenu;

namespace tolvane {

class FrmMenu;
class Context;
class DiscDetection;
class Forms;
class FrameCapture;
class NumberPad;
class PlaybackController;
class PlaybackServices;
class PlayListWindow;
class SkinLoader;
class SpeedSeek;

// What the pop-up menus show before they pop up, and what their entries do.
class MenuActions
{
public:
    MenuActions(Context& context, Forms& forms, PlaybackServices& services,
                PlaybackController& controller, SpeedSeek& speed, DiscDetection& detection,
                SkinLoader& skins, NumberPad& pad, PlayListWindow& playList, FrameCapture& capture)
        : context_(context), forms_(forms), services_(services), controller_(controller),
          speed_(speed), detection_(detection), skins_(skins), pad_(pad), playList_(playList),
          capture_(capture)
    {
    }

    // Hooks every entry of the menu window to its action; once, when it is made.
    void Connect(FrmMenu& menu);
    // What the entry "歌本管理" (mFindMusic) opens.
    std::function<void()> openSongBook;
    // The settings window, opened by `mTool` and the settings button.
    std::function<void()> openSettings;

    // The menu of function button `index` at `at` (screen coordinates).
    void ChkMenu(int index, const QPoint& at);
    // The music menus of number-pad key `index`; pops one up only when `show`.
    void ChkMp3Menu(int index, bool show, const QPoint& at);
    // Refills the quick song pick from the album's files; returns how many.
    int UpdateMenu();
    // Refills the album list from the scan's albums, when it is next opened: a list of
    // many thousand entries takes seconds to build.
    void UpdateAlbumMenu();

    void mDiskC_Click(int index);
    void mPath_Click();
    void mSeleItem1_Click(int index);
    void mSeleItem_Click(int index);
    void mSeleItem2_Click(int index);
    void mReadme_Click();
    void mTool_Click();

private:
    void Popup(QMenu* menu, const QPoint& at);
    QString MusicPattern() const;
    void PlayAlbumSong(int album, int song);
    void FillAlbumMenu();

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    PlaybackController& controller_;
    SpeedSeek& speed_;
    DiscDetection& detection_;
    SkinLoader& skins_;
    NumberPad& pad_;
    PlayListWindow& playList_;
    FrameCapture& capture_;
    bool albumMenuStale_ = false;
};

} // namespace tolvane
