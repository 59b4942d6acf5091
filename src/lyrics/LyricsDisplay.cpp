#include "lyrics/LyricsDisplay.h"

#include "app/Context.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"
#include "lyrics/LyricsLoader.h"
#include "lyrics/LyricsLocator.h"
#include "lyrics/LyricsSync.h"
#include "platform/DriveMap.h"

#include <QListWidget>

namespace tolvane {

LyricsDisplay::LyricsDisplay(Context& context, Forms& forms) : context_(context), forms_(forms) {}

FrmVCD& LyricsDisplay::Vcd()
{
    return forms_.Vcd();
}

QString LyricsDisplay::LookUp(const QString& mediaPath)
{
    LyricsPlaces places;
    places.SongFolder = context_.app.SongFolder;
    places.CreateFolders = context_.app.LyricsMapping;
    places.CdromDevice = context_.device.CdromDriveType == kDriveCdrom;
    places.ProgramFolder = context_.platform.programFolder;
    const LyricsPaths paths = LyricsLocator(context_.platform.files).Locate(mediaPath, places);
    lyricsFile_ = paths.LyricsFile;
    Fill(lyricsFile_.isEmpty() ? QStringList()
                               : LyricsLoader::Load(context_.platform.files, lyricsFile_));
    return lyricsFile_;
}

void LyricsDisplay::Fill(const QStringList& lines)
{
    lines_.Fill(*Vcd().SongList, lines);
    // Untagged lines are never selected; the log tells the user why a line stays.
    if (lines_.Malformed())
        context_.log.LogWrite(LyricsSync::kError + "-" + lyricsFile_);
    if (lineReached)
        lineReached(lines.isEmpty() ? QString() : lines_.Text(0));
}

void LyricsDisplay::ClearLyricsPath()
{
    lyricsFile_.clear();
}

void LyricsDisplay::Follow(const QString& posText)
{
    const std::optional<int> reached = lines_.Follow(*Vcd().SongList, posText);
    // The whole lyrics show the line themselves; the label is left to other news.
    if (!reached || lyricsFile_.isEmpty())
        return;
    if (Vcd().SongList->isHidden())
        Vcd().Label1->setText(lines_.Text(*reached));
    if (lineReached)
        lineReached(lines_.Text(*reached));
}

void LyricsDisplay::ToggleWhole()
{
    QListWidget* list = Vcd().SongList;
    if (lyricsFile_.isEmpty()) {
        list->setVisible(list->isHidden());
        return;
    }
    DressList();
    const bool shown = list->isHidden();
    list->setVisible(shown);
    if (shown) {
        list->raise();
        if (QListWidgetItem* item = list->currentItem())
            list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    }
    Vcd().Label1->setToolTip(shown ? "隱藏整篇歌詞" : "顯示整篇歌詞");
    Vcd().Image1->setVisible(!shown);
}

void LyricsDisplay::DressList()
{
    QListWidget* list = Vcd().SongList;
    QFont font = list->font();
    font.setFamily(Vcd().Label1->font().family());
    font.setPointSizeF(Vcd().Label1->font().pointSizeF());
    list->setFont(font);
    if (!context_.skin.PictureHome.isEmpty())
        list->setGeometry(context_.skin.PictureHome);
    // The label's colour over the skin; the line reached in the colour reversed.
    const QColor text = Vcd().Label1->palette().color(QPalette::WindowText);
    const QColor back(255 - text.red(), 255 - text.green(), 255 - text.blue());
    list->setStyleSheet(QString("QListWidget { background: transparent; color: %1; }"
                                "QListWidget::item:selected { background: %1; color: %2; }")
                            .arg(text.name(), back.name()));
}

} // namespace tolvane
