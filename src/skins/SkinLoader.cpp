#include "skins/SkinLoader.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmProg.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "skins/ButtonColour.h"
#include "skins/ButtonFaces.h"
#include "skins/LayoutFile.h"
#include "skins/Outline.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QScreen>

namespace tolvane {

namespace {

constexpr int kTwipsPerPixel = 15;

int Word(const QByteArray& bytes, int offset, bool bigEndian)
{
    if (bytes.size() < offset + 2)
        return 0;
    auto lo = static_cast<unsigned char>(bytes[offset + (bigEndian ? 1 : 0)]);
    auto hi = static_cast<unsigned char>(bytes[offset + (bigEndian ? 0 : 1)]);
    return hi * 256 + lo;
}

QColor FromBgr(unsigned colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

unsigned ToBgr(QRgb rgb)
{
    return static_cast<unsigned>(qRed(rgb)) | (static_cast<unsigned>(qGreen(rgb)) << 8) |
           (static_cast<unsigned>(qBlue(rgb)) << 16);
}

} // namespace

QString SkinLoader::DefaultSkinPicture(const QString& programFolder)
{
    return programFolder + "\\Desk\\Tolvan.JPG";
}

QSize SkinLoader::PictureSize(const DosFiles& files, const QString& path)
{
    QFile file;
    if (!files.Open(path, file, QIODevice::ReadOnly))
        return QSize();
    return QImageReader(&file).size();
}

QSize SkinLoader::HeaderSize(const DosFiles& files, const QString& path)
{
    QByteArray head = files.ReadHead(path, 168);
    if (head.isEmpty())
        return QSize();
    QString ext = ExtName(path);
    if (ext == "bmp")
        return QSize(Word(head, 18, false), Word(head, 22, false));
    if (ext == "gif")
        return QSize(Word(head, 6, false), Word(head, 8, false));
    if (ext == "jpg")
        return QSize(Word(head, 165, true), Word(head, 163, true));
    return QSize();
}

unsigned SkinLoader::InvertColor(unsigned colour)
{
    if (colour == 0)
        return 0xFFFFFF;
    long long inverse = static_cast<long long>(colour ^ 0xFFFFFFu);
    return static_cast<unsigned>((inverse < 0 ? -inverse : inverse) % 0xFFFFFF) & 0xF0F0F0u;
}

int SkinLoader::StandardWidth(int height, int measuredWidth)
{
    switch (height) {
    case 480:
        return 640;
    case 600:
        return 800;
    case 768:
        return 1024;
    case 864:
        return 1152;
    case 1024:
        return 1280;
    case 1200:
        return 1600;
    default:
        return measuredWidth;
    }
}

void SkinLoader::ChkDeskFile()
{
    const DosFiles& files = context_.platform.files;
    QString folder = context_.app.SkinFolder;
    QStringList pictures;
    for (const QString& name : files.ListFiles(folder, "*.*")) {
        QString ext = ExtName(name);
        if (ext == "jpg" || ext == "bmp" || ext == "gif")
            pictures.append(name);
    }
    FrmMenu& menu = forms_.Menu();
    const SkinState& skin = context_.skin;
    for (int i = 0; i < pictures.size(); ++i) {
        QString path = PathJoin(folder, pictures[i]);
        QSize size = HeaderSize(files, path);
        QAction* entry = menu.SkinElement(i);
        entry->setText(pictures[i] + " (W" + QString::number(size.width()) + " x H" +
                       QString::number(size.height()) + ")");
        entry->setData(path);
        entry->setEnabled(size.width() <= skin.ScreenWidth && size.height() <= skin.ScreenHeight);
    }
}

void SkinLoader::ScreenResize()
{
    SkinState& skin = context_.skin;
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    skin.ScreenHeight = screen.height();
    skin.ScreenWidth = StandardWidth(screen.height(), screen.width());
    ChkDeskFile();
    if (skin.PictureWidth > skin.ScreenWidth || skin.PictureHeight > skin.ScreenHeight) {
        forms_.Vcd().hide();
        ShowMessage(context_.platform.prompter, "現在的畫面大小被更改,請重新選擇面版!", "ok");
        // The default picture fits every screen: the window comes back with it, and
        // the skin menu offers the skins that fit.
        context_.app.CurrentSkinPicture = DefaultSkinPicture(context_.platform.programFolder);
        if (context_.app.SkinLoaded) {
            DeskShow();
            forms_.Vcd().show();
        }
        if (chooseSkin)
            chooseSkin();
    }
    ADJForm();
}

void SkinLoader::ChkDeskName()
{
    AppState& app = context_.app;
    const DosFiles& files = context_.platform.files;
    // A skin that is gone falls back to the default picture, as an empty setting does.
    if (!files.FileExists(app.CurrentSkinPicture))
        app.CurrentSkinPicture = DefaultSkinPicture(context_.platform.programFolder);
    // So does one larger than the screen, whose controls could not be reached.
    const SkinState& skin = context_.skin;
    const QSize size = PictureSize(files, app.CurrentSkinPicture);
    if (skin.ScreenWidth > 0 && skin.ScreenHeight > 0 &&
        (size.width() > skin.ScreenWidth || size.height() > skin.ScreenHeight)) {
        const QString text = QString("面板 %1 (W%2 x H%3) 比螢幕 (%4 x %5) 大,改用預設面板")
                                 .arg(app.CurrentSkinPicture)
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(skin.ScreenWidth)
                                 .arg(skin.ScreenHeight);
        context_.log.LogWrite(text);
        ShowMessage(context_.platform.prompter, text, "error");
        app.CurrentSkinPicture = DefaultSkinPicture(context_.platform.programFolder);
    }
    QString name = FileNamePart(app.CurrentSkinPicture);
    context_.skin.LayoutFile = LayoutFile::LayoutFileOf(app.SkinFolder, name);
    context_.skin.CacheFile =
        PathJoin(app.ButtonCacheFolder, name.left(name.size() - 4) + "-00.Bmp");
    forms_.Prog().Label1->setText("面板檔名:" + name);
}

void SkinLoader::DeskUpdate(bool rebuild)
{
    Log& log = context_.log;
    const QString path = context_.app.CurrentSkinPicture;
    log.LogWrite("開始載入面板-" + path);
    if (!DeskLoad()) {
        log.LogWrite("這個面板格式錯誤" + path);
        return;
    }
    log.LogWrite("載入面板完成");
    ChkDeskName();
    log.LogWrite("開始載入按鈕");
    ButtonFaces& faces = faces_;
    faces.ShowObj(false);
    faces.ButtonUpdate(rebuild);
    faces.ShowObj(true);
    log.LogWrite("載入按鈕完成");
    FrmVCD& vcd = forms_.Vcd();
    vcd.show();
    vcd.Label1->clear();
    if (skinShown)
        skinShown();
}

bool SkinLoader::DeskLoad()
{
    FrmVCD& vcd = forms_.Vcd();
    SkinState& skin = context_.skin;
    const QString path = context_.app.CurrentSkinPicture;
    if (skin.LoadedPicture == path) {
        vcd.setFixedSize(skin.WindowWidth / kTwipsPerPixel, skin.WindowHeight / kTwipsPerPixel);
        ADJForm();
        return true;
    }
    QByteArray bytes;
    context_.platform.files.ReadAll(path, bytes);
    QImage picture = QImage::fromData(bytes);
    if (picture.isNull())
        return false;
    skin.PictureWidth = picture.width();
    skin.PictureHeight = picture.height();
    ColourLabels(picture);
    skin.WindowWidth = picture.width() * kTwipsPerPixel;
    skin.WindowHeight = picture.height() * kTwipsPerPixel;
    vcd.setFixedSize(picture.size());
    ADJForm();
    vcd.ImageDesk->move(0, 0);
    vcd.SetPicture(picture);
    if (ExtName(path) == "gif") {
        QRegion outline;
        if (!OutlineRegion(picture, outline))
            return false;
        vcd.setMask(outline);
    } else if (context_.app.WindowsVersion == "Windows 98") {
        vcd.setMask(RectangleRegion(picture.width(), picture.height()));
    } else {
        vcd.clearMask();
    }
    skin.LoadedPicture = path;
    return true;
}

// Label text takes the inverse of the picture under the label's top edge, so it
// stands out from the skin.
void SkinLoader::ColourLabels(const QImage& picture)
{
    FrmVCD& vcd = forms_.Vcd();
    auto under = [&](const QLabel* label) {
        QPoint at(label->x() + label->width() / 2, label->y());
        return picture.valid(at) ? ToBgr(picture.pixel(at)) : 0u;
    };
    unsigned text = InvertColor(under(vcd.Label1));
    if (context_.app.BackgroundPictures && context_.skin.PictureVisible)
        text |= 0xC0C0C0u;
    SetTextColour(vcd.Label1, FromBgr(text));
    SetTextColour(vcd.Label2[2], FromBgr(InvertColor(under(vcd.Label2[2]))));
}

void SkinLoader::ADJForm()
{
    FrmVCD& vcd = forms_.Vcd();
    const SkinState& skin = context_.skin;
    if (vcd.width() >= vcd.height())
        vcd.move(0, (skin.ScreenHeight - skin.PictureHeight) / 2);
    else
        vcd.move((skin.ScreenWidth - skin.PictureWidth) / 2, 0);
}

void SkinLoader::DeskShow()
{
    ChkDeskName();
    context_.ini.IniFile = context_.skin.LayoutFile;
    ButtonFaces& faces = faces_;
    faces.ShowObj(false);
    layout_.ReadLayout(true);
    DeskUpdate(false);
    faces.ShowObj(true);
    // The colour window shows the kind and palette the new layout brought.
    ButtonColour::ShowSettings(forms_.Color());
}

void SkinLoader::SkinMenuClick(const QString& path)
{
    context_.app.CurrentSkinPicture = path;
    context_.log.LogWrite("更換面板為" + path);
    DeskShow();
}

} // namespace tolvane
