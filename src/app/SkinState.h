#pragma once

#include "platform/FileSaving.h"

#include <QRect>
#include <QString>

namespace tolvane {

// What is known of the skin being shown.
struct SkinState
{
    QString LayoutFile;   // the per-skin layout file of the current skin
    QString CacheFile;    // the button cache file the next face goes to
    int PictureWidth = 0; // pixels of the loaded picture
    int PictureHeight = 0;
    int WindowWidth = 0; // twips
    int WindowHeight = 0;
    QString LoadedPicture; // path of the picture last painted
    int ScreenWidth = 0;   // pixels, the width snapped to the standard one of the height
    int ScreenHeight = 0;
    QRect TextHome;    // where the layout put the text label
    QRect PictureHome; // where the layout put the picture area
    bool PictureVisible = false;
    int ButtonCounter = 0;
    FileNotices CacheSaves; // button cache pictures that could not be saved
};

} // namespace tolvane
