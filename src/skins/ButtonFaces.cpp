#include "skins/ButtonFaces.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmProg.h"
#include "forms/FrmVCD.h"
#include "platform/FileSaving.h"
#include "skins/ButtonFace.h"
#include "skins/ButtonIcons.h"

#include <QBuffer>
#include <QCursor>
#include <QPainter>
#include <QtEndian>

namespace tolvane {

namespace {

const QStringList& ShownKinds()
{
    static const QStringList kinds = {"LABEL1",       "LABEL2", "LABEL3", "PICNUM",
                                      "PICBUTTON",    "PICCTL", "LABNUM", "IMAGEBUTTON",
                                      "IMAGEBUTTON1", "LINE1"};
    return kinds;
}

// A bitmap shorter than its header says: the picture reader would fill the rest in.
bool CutShort(const QByteArray& bytes)
{
    if (!bytes.startsWith("BM") || bytes.size() < 6)
        return false;
    return qFromLittleEndian<quint32>(bytes.constData() + 2) > quint32(bytes.size());
}

void Centre(QWidget* item, const QWidget* face)
{
    CentreOn(item, face);
    item->show();
}

} // namespace

QString ButtonFaces::NextCacheFile(const QString& path)
{
    qsizetype dash = path.lastIndexOf('-');
    qsizetype dot = path.lastIndexOf('.');
    if (dash < 0 || dot < dash)
        return path;
    int number = path.mid(dash + 1, dot - dash - 1).toInt() + 1;
    return path.left(dash + 1) + QString::number(number).rightJustified(2, '0') + path.mid(dot);
}

void ButtonFaces::InitObj()
{
    FrmVCD& vcd = forms_.Vcd();
    vcd.PicIcon = ButtonIcons::PointerIcon();
    QCursor pointer(QPixmap::fromImage(vcd.PicIcon), 9, 1);
    auto prepare = [&](QList<SkinButton*>& buttons, QList<MaskBox>& masks) {
        for (int i = 0; i < buttons.size(); ++i) {
            buttons[i]->setCursor(pointer);
            masks[i].Picture = ButtonIcons::BuiltInMask(buttons[i]->size());
            masks[i].Tag.clear();
            buttons[i]->SetFace(masks[i].Picture);
        }
    };
    prepare(vcd.PicButton, vcd.PicButtonB);
    prepare(vcd.PicNum, vcd.PicNumBak);
    prepare(vcd.PicCtl, vcd.PicCtlBak);
    QFont digits = vcd.LabNum[0]->font();
    for (int i = 0; i < vcd.LabNum.size(); ++i) {
        bool last = i == vcd.LabNum.size() - 1;
        QLabel* label = vcd.LabNum[i];
        label->setFont(digits);
        label->setText(last ? ">>" : QString::number(i + 1));
        label->adjustSize();
        QString tip = last ? "下一頁,右鍵播放清單" : "軌道(" + ZeroPad(i + 1, 2) + ")";
        vcd.PicNum[i]->setToolTip(tip);
        label->setToolTip(tip);
    }
    for (int i = 0; i < vcd.ImageButton1.size(); ++i) {
        vcd.ImageButton1[i]->setPixmap(ButtonIcons::ControlIcon(i, vcd.PicCtl[i]->height() - 8));
        vcd.ImageButton1[i]->adjustSize();
    }
    const int playHeight = vcd.PicCtl[0]->height() - 8;
    vcd.ImagePause = {ButtonIcons::ControlIcon(0, playHeight), ButtonIcons::PauseIcon(playHeight)};
    for (int i = 0; i < vcd.ImageButton.size(); ++i) {
        vcd.ImageButton[i]->setPixmap(ButtonIcons::FunctionIcon(i, vcd.PicButton[i]->height() - 6));
        vcd.ImageButton[i]->adjustSize();
    }
    AdjLine();
    AdjImage();
}

void ButtonFaces::ButtonUpdate(bool rebuild)
{
    FrmVCD& vcd = forms_.Vcd();
    FrmColor& color = forms_.Color();
    context_.skin.ButtonCounter = 0;
    if (color.Check2[2]->isChecked())
        UpdateGroup(vcd.PicCtl, vcd.PicCtlBak, rebuild);
    if (color.Check2[1]->isChecked())
        UpdateGroup(vcd.PicNum, vcd.PicNumBak, rebuild);
    if (color.Check2[0]->isChecked())
        UpdateGroup(vcd.PicButton, vcd.PicButtonB, rebuild);
    if (forms_.IsLoaded(Window::Prog))
        forms_.Prog().hide();
}

void ButtonFaces::UpdateGroup(QList<SkinButton*>& buttons, const QList<MaskBox>& masks,
                              bool rebuild)
{
    for (int i = 0; i < buttons.size(); ++i) {
        int counter = ++context_.skin.ButtonCounter;
        forms_.Prog().ProgressBar1->setValue(qMin(100, counter * 100 / kButtonTotal));
        ButtonMask(masks[i], *buttons[i], rebuild);
    }
}

void ButtonFaces::ButtonMask(const MaskBox& mask, SkinButton& button, bool rebuild)
{
    FrmVCD& vcd = forms_.Vcd();
    if (vcd.ImageDesk->isVisible())
        vcd.ImageDesk->hide();
    SkinState& skin = context_.skin;
    forms_.Prog().Label2->setText(skin.CacheFile);
    bool loaded = false;
    if (!rebuild && context_.platform.files.FileExists(skin.CacheFile)) {
        context_.log.LogWrite("載入按鈕-" + skin.CacheFile);
        loaded =
            LoadCachedFace(button, mask.Picture.isNull() ? button.size() : mask.Picture.size());
    }
    // A picture left empty or short by a full disk, or of another size, is made again.
    if (!loaded)
        GenerateFace(mask, button);
    skin.CacheFile = NextCacheFile(skin.CacheFile);
}

bool ButtonFaces::LoadCachedFace(SkinButton& button, QSize size)
{
    QByteArray bytes;
    if (!context_.platform.files.ReadAll(context_.skin.CacheFile, bytes) || CutShort(bytes))
        return false;
    QImage cached;
    if (!cached.loadFromData(bytes) || cached.size() != size)
        return false;
    button.SetFace(cached.convertToFormat(QImage::Format_RGB32));
    return true;
}

void ButtonFaces::GenerateFace(const MaskBox& mask, SkinButton& button)
{
    const QString& path = context_.skin.CacheFile;
    context_.log.LogWrite("產生按鈕-" + path);
    FrmProg& prog = forms_.Prog();
    if (!prog.isVisible()) {
        prog.show();
        context_.platform.clock.DoEvents();
    }
    FrmVCD& vcd = forms_.Vcd();
    vcd.Label1->setText(FileNamePart(path) + "\n製造按鈕中,請稍後...");
    vcd.Label1->show();
    vcd.Label1->repaint();
    FrmColor& color = forms_.Color();
    FaceColors colors;
    colors.kind = static_cast<ColorKind>(color.SelectedKind());
    for (int i = 0; i < 4; ++i)
        colors.bar[i] = color.VScroll1[i]->value();
    QImage face = MakeButtonFace(vcd.Picture(), button.pos(), mask.Picture, colors);
    if (face.isNull())
        return;
    button.SetFace(face);
    SaveFace(face, path);
}

// Failures are told once for the whole cache folder: a full disk fails every face.
void ButtonFaces::SaveFace(const QImage& face, const QString& path)
{
    const DosFiles& files = context_.platform.files;
    const QString folder = files.Local(context_.app.ButtonCacheFolder);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason = "無法轉成 BMP 圖檔";
    if (face.save(&buffer, "BMP") && SaveWholeFile(files.Local(path), bytes, reason))
        context_.skin.CacheSaves.Saved(folder);
    else
        context_.skin.CacheSaves.SaveFailed(folder, reason);
}

void ButtonFaces::ShowObj(bool show)
{
    FrmVCD& vcd = forms_.Vcd();
    const QList<QWidget*> controls = vcd.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        QString kind = control->objectName().toUpper();
        // Qt's own parts of a control (a list's viewport) follow their control.
        if (kind.isEmpty() || kind.startsWith("TIMER") || kind.startsWith("QT_") ||
            control == vcd.Image1)
            continue;
        control->setVisible(show && ShownKinds().contains(kind));
    }
    vcd.PicButton[3]->raise();
    vcd.PicCtl[6]->hide();
    AdjImage();
    AdjLine();
    if (show)
        vcd.Image1->setVisible(context_.app.BackgroundPictures && context_.skin.PictureVisible);
    vcd.Label2[2]->hide();
}

void ButtonFaces::AdjImage()
{
    FrmVCD& vcd = forms_.Vcd();
    for (int i = 0; i < vcd.PicCtl.size(); ++i)
        Centre(vcd.ImageButton1[i], vcd.PicCtl[i]);
    for (int i = 0; i < vcd.PicNum.size(); ++i)
        Centre(vcd.LabNum[i], vcd.PicNum[i]);
    for (int i = 0; i < vcd.PicButton.size(); ++i)
        Centre(vcd.ImageButton[i], vcd.PicButton[i]);
}

void ButtonFaces::AdjLine()
{
    FrmVCD& vcd = forms_.Vcd();
    SkinButton* track = vcd.PicCtl[9];
    SkinButton* knob = vcd.PicCtl[13];
    int width = qMin(knob->width(), track->width());
    int height = qMin(knob->height(), track->height());
    knob->resize(width, height);
    int left = qBound(track->x(), knob->x(), track->x() + track->width() - width);
    knob->move(left, track->y() + (track->height() - height) / 2);
    int grooveLeft = track->x() + 6;
    int grooveWidth = qMax(0, track->width() - 12);
    int middle = track->y() + track->height() / 2;
    vcd.Line1[0]->setGeometry(grooveLeft, middle - 1, grooveWidth, 1);
    vcd.Line1[1]->setGeometry(grooveLeft, middle, grooveWidth, 1);
    for (QFrame* line : vcd.Line1)
        line->raise();
    knob->raise();
}

void ButtonFaces::DelButtonTemp()
{
    FrmProg& prog = forms_.Prog();
    prog.Label1->setText("正在刪除舊的快取資料中!!");
    prog.show();
    const DosFiles& files = context_.platform.files;
    QString folder = context_.app.ButtonCacheFolder;
    for (const QString& name : files.ListFiles(folder, "*.bmp")) {
        QString path = PathJoin(folder, name);
        prog.Label2->setText(path);
        context_.platform.clock.DoEvents();
        files.Remove(path);
    }
    prog.Label1->setText("正在建立面板快取中");
}

void ButtonFaces::DelTemp(bool firstRun)
{
    if (!firstRun)
        return;
    if (context_.platform.files.ListFiles(context_.app.ButtonCacheFolder, "*.bmp").size() < 2)
        return;
    QString answer =
        ShowMessage(context_.platform.prompter, "第一次執行,您是否要清除舊的快取資料?", "yesno");
    if (answer.toInt() == kIdYes)
        DelButtonTemp();
}

} // namespace tolvane
