#include "skins/LayoutFile.h"

#include "app/Context.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "skins/ButtonFaces.h"
#include "skins/SkinLoader.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

const QString kEdit = QStringLiteral("編輯");
const QString kControl = QStringLiteral("控制台");
const QString kNumbers = QStringLiteral("選曲");
const QString kFunctions = QStringLiteral("功能");
const QString kLogo = QStringLiteral("LOGO");
const QString kTime = QStringLiteral("時間");
const QString kText = QStringLiteral("文字");
const QString kDigits = QStringLiteral("數字");
const QString kPicture = QStringLiteral("圖形");

QString Num(long long value)
{
    return QString::number(value);
}

bool Shown(const QWidget* widget)
{
    return !widget->isHidden();
}

bool ReadsTrue(const QString& value)
{
    bool on = false;
    return ToBool(value, on) && on;
}

// A layout file is the user's to edit: places stay within what a window can hold and
// sizes within the skin picture, before anything is made of them.
int Clamped(double value, int low, int high)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(RoundHalfEven(std::clamp(value, double(low), double(high))));
}

int Place(double value)
{
    return Clamped(value, -32768, 32767);
}

constexpr double kMaxPoints = 200;

} // namespace

QString LayoutFile::LayoutFileOf(const QString& skinFolder, const QString& picture)
{
    QString name = FileNamePart(picture);
    return skinFolder + "\\" + name.left(name.size() - 3) + "INI";
}

void LayoutFile::WriteLayout()
{
    Ini& ini = context_.ini;
    FrmColor& color = forms_.Color();
    Entries out;
    out.append({kEdit, "Mode", Num(color.SelectedKind())});
    for (int i = 0; i < 4; ++i)
        out.append({kEdit, "Color" + Num(i), Num(color.VScroll1[i]->value())});
    out.append({kEdit, "PicWidth", Num(context_.skin.PictureWidth)});
    out.append({kEdit, "PicHeight", Num(context_.skin.PictureHeight)});
    FrmVCD& vcd = forms_.Vcd();
    WriteButtons(out, kControl, vcd.PicCtl);
    WriteButtons(out, kNumbers, vcd.PicNum);
    WriteButtons(out, kFunctions, vcd.PicButton);
    WriteLabels(out);
    QLabel* image = vcd.Image1;
    out.append({kPicture, "X", Num(image->x())});
    out.append({kPicture, "Y", Num(image->y())});
    out.append({kPicture, "W", Num(image->width())});
    out.append({kPicture, "H", Num(image->height())});
    out.append({kPicture, "Visible", BoolText(Shown(image))});
    ini.RewriteIni(out);
}

void LayoutFile::WriteButtons(Entries& out, const QString& section,
                              const QList<SkinButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i) {
        const SkinButton* button = buttons[i];
        out.append({section, "X" + Num(i), Num(button->x())});
        out.append({section, "Y" + Num(i), Num(button->y())});
        out.append({section, "W" + Num(i), Num(button->width())});
        out.append({section, "H" + Num(i), Num(button->height())});
        out.append({section, "File" + Num(i), button->Tag});
        out.append({section, "Visible" + Num(i), BoolText(Shown(button))});
    }
}

void LayoutFile::WriteFont(Entries& out, const QString& section, const QLabel* label,
                           const QString& suffix)
{
    QFont font = label->font();
    out.append({section, "FontName" + suffix, font.family()});
    out.append({section, "FontBold" + suffix, BoolText(font.bold())});
    out.append({section, "FontItalic" + suffix, BoolText(font.italic())});
    out.append({section, "FontUnderline" + suffix, BoolText(font.underline())});
}

void LayoutFile::WriteLabels(Entries& out)
{
    FrmVCD& vcd = forms_.Vcd();
    auto size = [](const QLabel* label) {
        return Num(static_cast<long long>(label->font().pointSizeF()));
    };
    for (int i = 0; i < 2; ++i) {
        QLabel* logo = vcd.Label3[i];
        WriteFont(out, kLogo, logo, QString());
        out.append({kLogo, "Size" + Num(i), size(logo)});
        out.append({kLogo, "X" + Num(i), Num(logo->x())});
        out.append({kLogo, "Y" + Num(i), Num(logo->y())});
    }
    for (int i = 0; i < vcd.Label2.size(); ++i) {
        QLabel* time = vcd.Label2[i];
        WriteFont(out, kTime, time, Num(i));
        out.append({kTime, "Size" + Num(i), size(time)});
        out.append({kTime, "X" + Num(i), Num(time->x())});
        out.append({kTime, "Y" + Num(i), Num(time->y())});
        out.append({kTime, "W" + Num(i), Num(time->width())});
        out.append({kTime, "H" + Num(i), Num(time->height())});
        out.append({kTime, "Visible" + Num(i), BoolText(Shown(time))});
    }
    for (auto [section, label] :
         {std::pair(kText, vcd.Label1), std::pair(kDigits, vcd.LabNum[0])}) {
        WriteFont(out, section, label, QString());
        out.append({section, "Size", size(label)});
        out.append({section, "X", Num(label->x())});
        out.append({section, "Y", Num(label->y())});
        out.append({section, "W", Num(label->width())});
        out.append({section, "H", Num(label->height())});
    }
}

QString LayoutFile::Read(const QString& section, const QString& key) const
{
    return context_.ini.ReadIni(section, key);
}

double LayoutFile::Number(const QString& section, const QString& key) const
{
    return LenientNumber(Read(section, key));
}

QSize LayoutFile::SizeLimit() const
{
    // The picture's header gives its size without reading the picture.
    QSize picture =
        SkinLoader::PictureSize(context_.platform.files, context_.app.CurrentSkinPicture);
    return picture.isValid() && !picture.isEmpty() ? picture.boundedTo(QSize(kMaxSide, kMaxSide))
                                                   : QSize(kMaxSide, kMaxSide);
}

void LayoutFile::ReadLayout(bool readSizes)
{
    Log& log = context_.log;
    log.LogWrite("讀取面板設定檔");
    const QString& path = context_.ini.IniFile;
    if (!context_.platform.files.FileExists(path)) {
        log.LogWrite("面板設定檔不存在-" + path);
        return;
    }
    faces_.ShowObj(false);
    limit_ = SizeLimit();
    ReadEdit();
    FrmVCD& vcd = forms_.Vcd();
    ReadButtons(kControl, vcd.PicCtl, vcd.PicCtlBak, readSizes);
    ReadButtons(kNumbers, vcd.PicNum, vcd.PicNumBak, readSizes);
    ReadButtons(kFunctions, vcd.PicButton, vcd.PicButtonB, readSizes);
    ReadLogo();
    ReadTime();
    ReadText();
    ReadDigits();
    ReadPicture();
    log.LogWrite("面板設定檔讀取完成");
}

void LayoutFile::ReadEdit()
{
    FrmColor& color = forms_.Color();
    int mode = Place(std::trunc(Number(kEdit, "Mode")));
    if (mode >= 0 && mode < 3)
        color.ColorType[mode]->setChecked(true);
    for (int i = 0; i < 4; ++i)
        color.VScroll1[i]->setValue(Place(std::trunc(Number(kEdit, "Color" + Num(i)))));
}

void LayoutFile::ReadButtons(const QString& section, QList<SkinButton*>& buttons,
                             QList<MaskBox>& masks, bool readSizes)
{
    for (int i = 0; i < buttons.size(); ++i) {
        SkinButton& button = *buttons[i];
        button.setVisible(ReadsTrue(Read(section, "Visible" + Num(i))));
        button.move(Place(std::trunc(Number(section, "X" + Num(i)))),
                    Place(std::trunc(Number(section, "Y" + Num(i)))));
        if (readSizes) {
            double width = Number(section, "W" + Num(i));
            double height = Number(section, "H" + Num(i));
            if (width >= 10)
                button.resize(Clamped(std::trunc(width), 10, limit_.width()), button.height());
            if (height >= 10)
                button.resize(button.width(), Clamped(std::trunc(height), 10, limit_.height()));
        }
        button.Tag = Read(section, "File" + Num(i));
        ReadMask(button, masks[i]);
    }
}

// The mask named by the tag replaces the button's mask when the button picture
// folder has it; otherwise the mask box keeps the mask it has.
void LayoutFile::ReadMask(SkinButton& button, MaskBox& mask)
{
    QString path = PathJoin(context_.app.MaskFolder, FileNamePart(button.Tag));
    QImage picture;
    QByteArray bytes;
    if (button.Tag.isEmpty() || !context_.platform.files.ReadAll(path, bytes) ||
        !picture.loadFromData(bytes)) {
        mask.Tag.clear();
        button.Tag.clear();
        return;
    }
    QImage stretched(button.size(), QImage::Format_RGB32);
    QPainter painter(&stretched);
    painter.drawImage(stretched.rect(), picture);
    mask.Picture = stretched;
    mask.Tag = path;
}

void LayoutFile::ReadFont(const QString& section, QLabel* label, const QString& suffix)
{
    QFont font = label->font();
    QString name = Read(section, "FontName" + suffix);
    if (!name.isEmpty())
        font.setFamily(name);
    bool flag = false;
    if (ToBool(Read(section, "FontBold" + suffix), flag))
        font.setBold(flag);
    if (ToBool(Read(section, "FontItalic" + suffix), flag))
        font.setItalic(flag);
    if (ToBool(Read(section, "FontUnderline" + suffix), flag))
        font.setUnderline(flag);
    label->setFont(font);
}

namespace {

void SetPoints(QLabel* label, double points, double fallback)
{
    QFont font = label->font();
    font.setPointSizeF(points > 1 && std::isfinite(points) ? std::min(points, kMaxPoints)
                                                           : fallback);
    label->setFont(font);
}

} // namespace

void LayoutFile::ReadLogo()
{
    FrmVCD& vcd = forms_.Vcd();
    for (int i = 0; i < 2; ++i) {
        QLabel* logo = vcd.Label3[i];
        ReadFont(kLogo, logo, QString());
        SetPoints(logo, Number(kLogo, "Size" + Num(i)), 12);
        logo->adjustSize();
        double x = Number(kLogo, "X" + Num(i));
        logo->move(x >= 0 ? Place(std::trunc(x)) : 0,
                   Clamped(Number(kLogo, "Y" + Num(i)), 0, 32767));
    }
}

void LayoutFile::ReadTime()
{
    FrmVCD& vcd = forms_.Vcd();
    for (int i = 0; i < vcd.Label2.size(); ++i) {
        QLabel* time = vcd.Label2[i];
        ReadFont(kTime, time, Num(i));
        SetPoints(time, Number(kTime, "Size" + Num(i)), i == 2 ? 12 : 9);
        time->adjustSize();
        double x = Number(kTime, "X" + Num(i));
        int y = Place(Number(kTime, "Y" + Num(i)));
        if (x > 1)
            time->move(Place(std::trunc(x)), time->y());
        if (y > 1)
            time->move(time->x(), y);
        double width = Number(kTime, "W" + Num(i));
        if (width <= 0)
            width = 48;
        if (width > 1)
            time->resize(Clamped(std::trunc(width), 1, limit_.width()), time->height());
    }
}

void LayoutFile::ReadText()
{
    QLabel* text = forms_.Vcd().Label1;
    ReadFont(kText, text, QString());
    SetPoints(text, Number(kText, "Size"), 9);
    text->adjustSize();
    double x = Number(kText, "X");
    double y = Number(kText, "Y");
    if (x != 0)
        text->move(Place(std::trunc(x)), text->y());
    if (y != 0)
        text->move(text->x(), Place(std::trunc(y)));
    double width = Number(kText, "W");
    text->resize(width <= 0 ? 165 : Clamped(std::trunc(width), 1, limit_.width()), text->height());
    context_.skin.TextHome = text->geometry();
}

void LayoutFile::ReadDigits()
{
    FrmVCD& vcd = forms_.Vcd();
    double points = Number(kDigits, "Size");
    double x = Number(kDigits, "X");
    int y = Place(Number(kDigits, "Y"));
    // The section is read once; every digit takes the same font and place.
    ReadFont(kDigits, vcd.LabNum[0], QString());
    SetPoints(vcd.LabNum[0], points, 12);
    for (QLabel* digit : vcd.LabNum) {
        digit->setFont(vcd.LabNum[0]->font());
        digit->move(x >= 0 ? Place(std::trunc(x)) : 0, std::max(y, 0));
    }
}

void LayoutFile::ReadPicture()
{
    QLabel* image = forms_.Vcd().Image1;
    image->move(Place(std::trunc(Number(kPicture, "X"))), Place(std::trunc(Number(kPicture, "Y"))));
    double width = Number(kPicture, "W");
    double height = Number(kPicture, "H");
    if (width != 0)
        image->resize(Clamped(std::trunc(width), 0, limit_.width()), image->height());
    if (height != 0)
        image->resize(image->width(), Clamped(std::trunc(height), 0, limit_.height()));
    QString visible = Read(kPicture, "Visible");
    bool shown = !visible.isEmpty() && ReadsTrue(visible);
    image->setVisible(shown);
    context_.skin.PictureHome = image->geometry();
    context_.skin.PictureVisible = shown;
}

} // namespace tolvane
