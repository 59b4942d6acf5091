#pragma once

#include "app/Context.h"
#include "capture/FrameCapture.h"
#include "discovery/DeviceHandlers.h"
#include "discovery/DiscDetection.h"
#include "forms/Forms.h"
#include "lyrics/LyricsDisplay.h"
#include "pictures/DesktopBehind.h"
#include "pictures/PictureBrowser.h"
#include "pictures/PictureShow.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"
#include "playback/SpeedSeek.h"
#include "skins/ButtonColour.h"
#include "skins/ButtonFaces.h"
#include "skins/LayoutFile.h"
#include "skins/SkinLoader.h"
#include "ui/ControlPanel.h"
#include "ui/DesktopOpen.h"
#include "ui/FormData.h"
#include "ui/MainMediaView.h"
#include "ui/MediaKeys.h"
#include "ui/MenuActions.h"
#include "ui/NumberPad.h"
#include "ui/PlayListWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SongBookWindow.h"

namespace tolvane {

// Everything a run is made of, each made once, in the order the layers build on one
// another; the signals between them are wired here.
class Player
{
public:
    explicit Player(Platform& platform);
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    Context context;
    Forms forms;
    PlaybackServices services;

    ButtonFaces faces{context, forms};
    LayoutFile layout{context, forms, faces};
    SkinLoader skins{context, forms, faces, layout};
    ButtonColour colours{context, forms, faces, layout, skins};

    PictureShow pictureShow{context, forms};
    PictureBrowser browser{context, forms, skins};
    DesktopBehind desktop{context, forms};

    SpeedSeek speed{forms, services};
    PlaybackController controller{context, forms, services, speed};

    DiscDetection detection{context, forms, services, controller};
    DeviceHandlers devices{context, services, detection};

    FrameCapture capture{context, forms, services};

    NumberPad numberPad{context, forms};
    PlayListWindow playList{context, forms, controller};
    MenuActions menus{context,   forms, services,  controller, speed,
                      detection, skins, numberPad, playList,   capture};
    LyricsDisplay lyrics{context, forms};
    MainMediaView mediaView{forms, services, menus, numberPad, lyrics, pictureShow};
    SettingsWindow settingsWindow{context, forms, detection, skins, faces};
    SongBookWindow songBookWindow{context, forms, settingsWindow, detection.Book()};
    FormData formData{context, forms};
    MediaKeys mediaKeys{context, forms, services};
    DesktopOpen desktopOpen{context, forms, detection, playList};

    // What the main window's buttons act on.
    ControlPanel::Actions PanelActions();
};

} // namespace tolvane
