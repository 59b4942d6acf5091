#include "skins/ButtonColour.h"

#include "app/Context.h"
#include "app/MousePointer.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "skins/ButtonAdjust.h"
#include "skins/ButtonFaces.h"
#include "skins/ButtonIcons.h"
#include "skins/LayoutFile.h"
#include "skins/SkinLoader.h"

#include <QCursor>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace tolvane {

namespace {

unsigned ToBgr(QRgb rgb)
{
    return static_cast<unsigned>(qRed(rgb)) | (static_cast<unsigned>(qGreen(rgb)) << 8) |
           (static_cast<unsigned>(qBlue(rgb)) << 16);
}

std::array<int, 4> Bars(const FrmColor& color)
{
    std::array<int, 4> bars{};
    for (int i = 0; i < 4; ++i)
        bars[i] = color.VScroll1[i]->value();
    return bars;
}

// A size field's whole number, or `current` when the field holds none.
int FieldValue(const QLineEdit* field, int current, int low, int high)
{
    bool number = false;
    const int value = field->text().trimmed().toInt(&number);
    return number ? std::clamp(value, low, std::max(low, high)) : current;
}

} // namespace

QColor ButtonColour::Preview(const std::array<int, 4>& bars)
{
    auto channel = [&](int i) { return std::clamp(std::abs(bars[i]) - bars[3], 0, 255); };
    return QColor(channel(0), channel(1), channel(2));
}

std::array<int, 4> ButtonColour::PickedBars(unsigned colour)
{
    return {-int(colour % 256), -int(colour / 256 % 256), -int(colour / 65536 % 256), 0};
}

void ButtonColour::ShowSettings(FrmColor& color)
{
    static const char* const kCaptions[] = {"按鈕色彩", "加入色彩", "不作處理"};
    const int kind = color.SelectedKind();
    color.Frame3->setTitle(QString::fromUtf8(kCaptions[kind]));
    color.Frame3->setEnabled(kind != 2);
    color.Check1->setEnabled(kind == 1);
    const std::array<int, 4> bars = Bars(color);
    for (int i = 0; i < 3; ++i)
        color.Label2[i]->setText(QString::number(std::abs(bars[i])));
    color.Label2[3]->setText(QString::number(-bars[3]));
    QPalette palette = color.FPicColor->palette();
    palette.setColor(QPalette::Window, Preview(bars));
    color.FPicColor->setPalette(palette);
}

void ButtonColour::Connect(FrmColor& color)
{
    for (int k = 0; k < 3; ++k) {
        QObject::connect(color.ColorType[k], &QRadioButton::toggled, &guard_, [this, k](bool on) {
            if (on)
                ColorType_Click(k);
        });
        QObject::connect(color.MaskSize[k], &QRadioButton::toggled, &guard_, [this, k](bool on) {
            if (on)
                MaskSize_Click(k);
        });
    }
    for (QScrollBar* bar : color.VScroll1)
        QObject::connect(bar, &QScrollBar::valueChanged, &guard_, [this] { VScroll1_Change(); });
    for (QLineEdit* field : color.Text1)
        QObject::connect(field, &QLineEdit::editingFinished, &guard_,
                         [this] { Text1_Confirmed(); });
    QObject::connect(color.Check1, &QCheckBox::toggled, &guard_,
                     [this](bool on) { Check1_Click(on); });
    QObject::connect(color.Command1, &QPushButton::clicked, &guard_, [this] { Command1_Click(); });
    QObject::connect(color.Command2, &QPushButton::clicked, &guard_, [this] { CloseMe(); });
    QObject::connect(color.Command3, &QPushButton::clicked, &guard_, [this] { Command3_Click(); });
    QObject::connect(color.Command4, &QPushButton::clicked, &guard_, [this] { Command4_Click(); });
    QObject::connect(color.Command5, &QPushButton::clicked, &guard_, [this] { Command5_Click(); });
    QObject::connect(&color, &FrmColor::hidden, &guard_, [this] { EndEditing(); });
}

void ButtonColour::ConnectMain(FrmVCD& vcd)
{
    QObject::connect(&vcd, &FrmVCD::formMouseDown, &guard_,
                     [this](Qt::MouseButton button, QPoint at) {
                         if (button == Qt::LeftButton && Picking())
                             PickColour(at);
                     });
}

void ButtonColour::ColorType_Click(int)
{
    ShowSettings(forms_.Color());
    ShowPickPointer();
}

void ButtonColour::VScroll1_Change()
{
    ShowSettings(forms_.Color());
}

void ButtonColour::Check1_Click(bool)
{
    ShowPickPointer();
    faces_.ShowObj(true);
}

bool ButtonColour::Picking() const
{
    if (!forms_.IsLoaded(Window::Color))
        return false;
    const FrmColor& color = forms_.Color();
    return color.isVisible() && color.Check1->isChecked() && color.Check1->isEnabled();
}

void ButtonColour::ShowPickPointer()
{
    FrmVCD& vcd = forms_.Vcd();
    if (Picking())
        vcd.setCursor(QCursor(QPixmap::fromImage(ButtonIcons::PickPointer()),
                              ButtonIcons::kPickTipX, ButtonIcons::kPickTipY));
    else
        vcd.unsetCursor();
}

// The pixel comes from the skin as painted; a press beside the picture (a window not
// yet sized to it) takes the nearest pixel of the picture.
void ButtonColour::PickColour(QPoint at)
{
    const QImage& picture = forms_.Vcd().Picture();
    if (picture.isNull()) {
        context_.log.LogWrite("沒有面板圖片,無法抓取顏色");
        return;
    }
    const QPoint inside(std::clamp(at.x(), 0, picture.width() - 1),
                        std::clamp(at.y(), 0, picture.height() - 1));
    const std::array<int, 4> bars = PickedBars(ToBgr(picture.pixel(inside)));
    FrmColor& color = forms_.Color();
    for (int i = 0; i < 4; ++i)
        color.VScroll1[i]->setValue(bars[i]);
}

void ButtonColour::Select(QWidget* object, MaskBox* mask)
{
    FrmColor& color = forms_.Color();
    FrmVCD& vcd = forms_.Vcd();
    ButtonAdj(vcd, color, false);
    color.Selected = object;
    color.SelectedMask = mask;
    ButtonAdj(vcd, color, true);
    if (object) {
        color.Text1[0]->setText(QString::number(object->height()));
        color.Text1[1]->setText(QString::number(object->width()));
    }
}

void ButtonColour::MaskSize_Click(int option)
{
    for (QLineEdit* field : forms_.Color().Text1)
        field->setEnabled(option == 2);
}

void ButtonColour::Text1_Confirmed()
{
    FrmColor& color = forms_.Color();
    auto* button = qobject_cast<SkinButton*>(color.Selected);
    if (!color.MaskSize[2]->isChecked() || !button || !color.SelectedMask)
        return;
    FrmVCD& vcd = forms_.Vcd();
    // No smaller than a layout keeps, no larger than the window.
    const QSize size(FieldValue(color.Text1[1], button->width(), 10, vcd.width()),
                     FieldValue(color.Text1[0], button->height(), 10, vcd.height()));
    color.Text1[0]->setText(QString::number(size.height()));
    color.Text1[1]->setText(QString::number(size.width()));
    if (size == button->size())
        return;
    button->resize(size);
    MaskBox& mask = *color.SelectedMask;
    QByteArray bytes;
    QImage picture;
    if (!mask.Tag.isEmpty() && context_.platform.files.ReadAll(mask.Tag, bytes) &&
        picture.loadFromData(bytes)) {
        QImage stretched(size, QImage::Format_RGB32);
        QPainter painter(&stretched);
        painter.drawImage(stretched.rect(), picture);
        mask.Picture = stretched;
    } else {
        mask.Picture = ButtonIcons::BuiltInMask(size);
        mask.Tag.clear();
        button->Tag.clear();
    }
    faces_.AdjImage();
    faces_.AdjLine();
    ButtonAdj(vcd, color, true);
}

void ButtonColour::SaveLayout()
{
    if (context_.skin.LayoutFile.isEmpty())
        skins_.ChkDeskName();
    context_.ini.IniFile = context_.skin.LayoutFile;
    layout_.WriteLayout();
}

void ButtonColour::Command1_Click()
{
    FrmColor& color = forms_.Color();
    FrmVCD& vcd = forms_.Vcd();
    ButtonAdj(vcd, color, false);
    SaveLayout();
    color.Check1->setChecked(false);
    skins_.DeskUpdate(true);
    vcd.unsetCursor();
}

void ButtonColour::Command5_Click()
{
    SetMousePointer(Pointer::Hourglass);
    FrmColor& color = forms_.Color();
    FrmVCD& vcd = forms_.Vcd();
    ButtonAdj(vcd, color, false);
    SaveLayout();
    color.Check1->setChecked(false);
    vcd.unsetCursor();
    SetMousePointer(Pointer::Default);
}

void ButtonColour::Command4_Click()
{
    context_.ini.IniFile = context_.app.SkinFolder + "\\Button.ini";
    layout_.ReadLayout(false);
    // The built-in places were made for the default skin; a smaller skin keeps them
    // within reach.
    KeepObjectsInside(forms_.Vcd());
    faces_.ShowObj(true);
}

void ButtonColour::Command3_Click()
{
    for (QScrollBar* bar : forms_.Color().VScroll1)
        bar->setValue(0);
}

void ButtonColour::CloseMe()
{
    forms_.Color().hide();
}

void ButtonColour::EndEditing()
{
    FrmColor& color = forms_.Color();
    ButtonAdj(forms_.Vcd(), color, false);
    color.Check1->setChecked(false);
    ShowPickPointer();
}

QPoint ButtonColour::Inside(const QRect& object, QSize area)
{
    return QPoint(std::clamp(object.x(), 0, std::max(0, area.width() - object.width())),
                  std::clamp(object.y(), 0, std::max(0, area.height() - object.height())));
}

void ButtonColour::KeepObjectsInside(FrmVCD& vcd)
{
    QList<QWidget*> objects;
    for (SkinButton* button : vcd.PicCtl + vcd.PicNum + vcd.PicButton)
        objects.append(button);
    objects.append(vcd.Label1);
    for (QLabel* label : vcd.Label2)
        objects.append(label);
    for (QLabel* label : vcd.Label3)
        objects.append(label);
    for (QWidget* object : objects)
        object->move(Inside(object->geometry(), vcd.size()));
}

} // namespace tolvane
