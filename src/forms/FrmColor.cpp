#include "forms/FrmColor.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tolvane {

FrmColor::FrmColor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    auto* kinds = new QGroupBox("選擇按鈕種類");
    auto* kindLayout = new QVBoxLayout(kinds);
    auto* group = new QButtonGroup(this);
    const char* kindNames[] = {"原色", "彩色", "透明"};
    for (int i = 0; i < 3; ++i) {
        ColorType[i] = new QRadioButton(kindNames[i]);
        group->addButton(ColorType[i], i);
        kindLayout->addWidget(ColorType[i]);
    }
    ColorType[0]->setChecked(true);
    layout->addWidget(kinds, 0, 0);

    auto* palette = new QGroupBox("調色盤");
    auto* paletteLayout = new QGridLayout(palette);
    const char* barNames[] = {"紅色", "綠色", "藍色", "亮度"};
    for (int i = 0; i < 4; ++i) {
        VScroll1[i] = new QScrollBar(Qt::Vertical);
        VScroll1[i]->setRange(-255, 255);
        paletteLayout->addWidget(VScroll1[i], 0, i);
        paletteLayout->addWidget(new QLabel(barNames[i]), 1, i);
    }
    layout->addWidget(palette, 0, 1);

    auto* items = new QGroupBox("更新項目");
    auto* itemLayout = new QVBoxLayout(items);
    const char* itemNames[] = {"功能按鈕", "選曲按鈕", "控制按鈕"};
    for (int i = 0; i < 3; ++i) {
        Check2[i] = new QCheckBox(itemNames[i]);
        Check2[i]->setChecked(true);
        itemLayout->addWidget(Check2[i]);
    }
    itemLayout->addWidget(new QLabel("請點選預修改按鈕"));
    layout->addWidget(items, 0, 2);
}

int FrmColor::SelectedKind() const
{
    for (int i = 0; i < 3; ++i) {
        if (ColorType[i]->isChecked())
            return i;
    }
    return 0;
}

} // namespace tolvane
