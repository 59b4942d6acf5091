#include "skins/SkinLoader.h"

#include "app/Player.h"
#include "app/Text.h"
#include "ui/FrmVCD.h"

#include <QImage>
#include <QPixmap>

namespace tolvane {

QString SkinLoader::DefaultSkinPicture(const QString& programFolder)
{
    return programFolder + "\\Desk\\Tolvan.JPG";
}

void SkinLoader::ChkDeskFile()
{
    // The skin catalogue is checked once skin loading is built.
}

void SkinLoader::ScreenResize()
{
    // The screen-size warning comes with skin loading.
}

void SkinLoader::ChkDeskName()
{
    // Layout files of skins come with the skin layout file; the picture stays as chosen.
    layoutFile_.clear();
}

void SkinLoader::DeskUpdate()
{
    const DosFiles& files = player_.platform.files;
    QImage picture(files.Local(player_.app.CurrentSkinPicture));
    if (picture.isNull())
        picture.load(files.Local(DefaultSkinPicture(player_.platform.programFolder)));
    if (picture.isNull())
        return;
    FrmVCD& vcd = player_.Vcd();
    vcd.SetPicture(QPixmap::fromImage(picture));
    vcd.setFixedSize(picture.size());
}

} // namespace tolvane
