#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace tolvane {

// What the directory chooser and its callers share.
struct ChooserState
{
    QString Path;    // the folder to start in; on return the choice, empty after Cancel
    QString Pattern; // the files shown, such as "*.jpg;*.bmp;*.gif"
    bool Open = false;
};

// Process-wide values set at start-up and by the settings.
struct AppState
{
    QString WindowsVersion;
    QString SkinFolder;
    QString MaskFolder;
    int ScreenWidthPx = 0;
    int ScreenHeightPx = 0;
    double TwipsFactor = 1.0;
    QList<QColor> LabNumColors;
    QString CaptureFileName;
    int MainLeft = 0; // main window position remembered at start
    int MainTop = 0;
    int MainWidthPx = 0;
    int MainHeightPx = 0;

    // Settings held while the program runs.
    QString CurrentSkinPicture; // "DeskPic"
    QString CapturePicture;     // "CutPic"
    int VideoWidth = 354;
    int VideoHeight = 242;
    int CaptureWidth = 354;
    int CaptureHeight = 242;
    QString SongFolder;
    bool LyricsMapping = false; // create the lyrics mapping folder
    QString ButtonCacheFolder;
    QString CaptureFolder;
    QString SearchPattern; // file types music scanning looks for, "CDA;DAT;..."
    bool BackgroundPictures = false;
    QString BackgroundPicture; // the current background picture
    QString BackgroundFolder;
    QString SongBookIndexFile;   // CDROMLib.TXT
    QString SongBookCatalogFile; // MusicLib.TXT
    QString ListFile;            // the current play list file
    bool SkinLoaded = false;
    ChooserState Chooser;
};

} // namespace tolvane
