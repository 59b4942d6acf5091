#include "forms/FrmColor.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QIntValidator>
#include <QVBoxLayout>

namespace tolvane {

FrmColor::FrmColor(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("按鈕顏色設定");
    auto* layout = new QGridLayout(this);

    auto* kinds = new QGroupBox("選擇按鈕種類");
    auto* kindLayout = new QVBoxLayout(kinds);
    auto* kindGroup = new QButtonGroup(this);
    const char* kindNames[] = {"原色", "彩色", "透明"};
    for (int i = 0; i < 3; ++i) {
        ColorType[i] = new QRadioButton(kindNames[i]);
        kindGroup->addButton(ColorType[i], i);
        kindLayout->addWidget(ColorType[i]);
    }
    ColorType[0]->setChecked(true);
    kindLayout->addStretch();
    layout->addWidget(kinds, 0, 0);

    Frame3 = new QGroupBox("調色盤");
    auto* paletteLayout = new QGridLayout(Frame3);
    const char* barNames[] = {"紅色", "綠色", "藍色", "亮度"};
    for (int i = 0; i < 4; ++i) {
        VScroll1[i] = new QScrollBar(Qt::Vertical);
        VScroll1[i]->setRange(-255, 255);
        VScroll1[i]->setMinimumHeight(110);
        Label2[i] = new QLabel("0");
        Label2[i]->setAlignment(Qt::AlignCenter);
        Label2[i]->setMinimumWidth(Label2[i]->fontMetrics().horizontalAdvance("-255") + 4);
        auto* name = new QLabel(barNames[i]);
        name->setAlignment(Qt::AlignCenter);
        paletteLayout->addWidget(name, 0, i, Qt::AlignHCenter);
        paletteLayout->addWidget(VScroll1[i], 1, i, Qt::AlignHCenter);
        paletteLayout->addWidget(Label2[i], 2, i, Qt::AlignHCenter);
    }
    layout->addWidget(Frame3, 0, 1);

    auto* pick = new QGroupBox("加入的顏色");
    auto* pickLayout = new QVBoxLayout(pick);
    FPicColor = new QLabel;
    FPicColor->setAutoFillBackground(true);
    FPicColor->setFrameShape(QFrame::Box);
    FPicColor->setMinimumSize(64, 48);
    // The bars start at 0: nothing added.
    QPalette none = FPicColor->palette();
    none.setColor(QPalette::Window, Qt::black);
    FPicColor->setPalette(none);
    pickLayout->addWidget(FPicColor);
    Check1 = new QCheckBox("抓取背景顏色");
    Check1->setEnabled(false);
    pickLayout->addWidget(Check1);
    pickLayout->addStretch();
    layout->addWidget(pick, 0, 2);

    auto* items = new QGroupBox("更新項目");
    auto* itemLayout = new QVBoxLayout(items);
    itemLayout->addWidget(new QLabel("請點選預修改按鈕"));
    const char* itemNames[] = {"功能按鈕", "選曲按鈕", "控制按鈕"};
    for (int i = 0; i < 3; ++i) {
        Check2[i] = new QCheckBox(itemNames[i]);
        Check2[i]->setChecked(true);
        itemLayout->addWidget(Check2[i]);
    }
    itemLayout->addStretch();
    layout->addWidget(items, 1, 0);

    auto* sizes = new QGroupBox("按鈕大小");
    auto* sizeLayout = new QGridLayout(sizes);
    auto* sizeGroup = new QButtonGroup(this);
    const char* sizeNames[] = {"自定", "不改變", "遮罩尺寸"};
    for (int i = 0; i < 3; ++i) {
        MaskSize[i] = new QRadioButton(sizeNames[i]);
        sizeGroup->addButton(MaskSize[i], i);
        sizeLayout->addWidget(MaskSize[i], i, 0, 1, 2);
    }
    MaskSize[1]->setChecked(true);
    const char* fieldNames[] = {"高度", "寬度"};
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit;
        Text1[i]->setValidator(new QIntValidator(0, 9999, Text1[i]));
        Text1[i]->setMaximumWidth(64);
        Text1[i]->setEnabled(false);
        sizeLayout->addWidget(new QLabel(fieldNames[i]), 3 + i, 0);
        sizeLayout->addWidget(Text1[i], 3 + i, 1);
    }
    layout->addWidget(sizes, 1, 1);

    auto* commands = new QVBoxLayout;
    Command1 = new QPushButton("更新全部按鈕");
    Command5 = new QPushButton("儲存按鈕配置");
    Command4 = new QPushButton("恢復原始設定");
    Command3 = new QPushButton("調色盤歸零");
    Command2 = new QPushButton("退          回");
    for (QPushButton* command : {Command1, Command5, Command4, Command3, Command2})
        commands->addWidget(command);
    commands->addStretch();
    layout->addLayout(commands, 1, 2);
}

int FrmColor::SelectedKind() const
{
    for (int i = 0; i < 3; ++i) {
        if (ColorType[i]->isChecked())
            return i;
    }
    return 0;
}

void FrmColor::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

} // namespace tolvane
