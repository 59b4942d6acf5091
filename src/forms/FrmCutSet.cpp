#include "forms/FrmCutSet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

namespace tolvane {

namespace {

QLineEdit* NumberBox(const QString& text)
{
    auto* box = new QLineEdit(text);
    box->setMaximumWidth(64);
    return box;
}

} // namespace

FrmCutSet::FrmCutSet(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("抓圖參數設定");
    Text7 = new QLineEdit;
    Command9 = new QPushButton("..");
    Command9->setFixedWidth(28);
    Text9 = new QLineEdit("Cut0000.BMP");
    Text1 = NumberBox("3");
    VScroll1 = new QScrollBar(Qt::Vertical);
    VScroll1->setRange(1, 10);
    VScroll1->setValue(3);
    VScroll1->setInvertedAppearance(true);
    VScroll1->setInvertedControls(true);
    Text2 = NumberBox("354");
    Text3 = NumberBox("242");
    Check2 = new QCheckBox("鎖住長寬比");
    Text5 = NumberBox(QString());
    Text6 = NumberBox(QString());
    Text5->setReadOnly(true);
    Text6->setReadOnly(true);
    Text8 = NumberBox("1.0");
    VScroll3 = new QScrollBar(Qt::Vertical);
    // Up is longer: the bar holds minus the delay in tenths of a second.
    VScroll3->setRange(-100, 0);
    VScroll3->setValue(-10);
    Check1 = new QCheckBox("加入時間標籤");
    Check1->setChecked(true);
    Text4 = NumberBox("12");
    Command2 = new QPushButton("確定");
    Command3 = new QPushButton("取消");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("抓圖目錄"), 0, 0);
    grid->addWidget(Text7, 0, 1, 1, 3);
    grid->addWidget(Command9, 0, 4);
    grid->addWidget(new QLabel("抓圖檔名"), 1, 0);
    grid->addWidget(Text9, 1, 1, 1, 4);
    grid->addWidget(new QLabel("圖型方格:"), 2, 0);
    grid->addWidget(Text1, 2, 1);
    grid->addWidget(VScroll1, 2, 2);
    grid->addWidget(Check2, 2, 3);
    grid->addWidget(new QLabel("畫格寬度:"), 3, 0);
    grid->addWidget(Text2, 3, 1);
    grid->addWidget(new QLabel("圖形寬度:"), 3, 2);
    grid->addWidget(Text5, 3, 3);
    grid->addWidget(new QLabel("畫格長度:"), 4, 0);
    grid->addWidget(Text3, 4, 1);
    grid->addWidget(new QLabel("圖形長度:"), 4, 2);
    grid->addWidget(Text6, 4, 3);
    grid->addWidget(new QLabel("延遲時間:"), 5, 0);
    grid->addWidget(Text8, 5, 1);
    grid->addWidget(VScroll3, 5, 2);
    grid->addWidget(new QLabel("(掉格時,請增加延遲時間)"), 5, 3, 1, 2);
    grid->addWidget(Check1, 6, 0, 1, 2);
    grid->addWidget(new QLabel("標籤字型大小:"), 6, 2);
    grid->addWidget(Text4, 6, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 7, 0, 1, 5);

    connect(VScroll3, &QScrollBar::valueChanged, this,
            [this](int value) { Text8->setText(QString::number(-value / 10.0, 'f', 1)); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        if (Text1->text().toInt() != value)
            Text1->setText(QString::number(value));
    });
    connect(Text1, &QLineEdit::textChanged, this, [this] {
        bool number = false;
        const int n = Text1->text().toInt(&number);
        if (number && n >= VScroll1->minimum() && n <= VScroll1->maximum())
            VScroll1->setValue(n);
        ShowPictureSize();
    });
    connect(Text2, &QLineEdit::textEdited, this, [this] { KeepAspect(Text2); });
    connect(Text3, &QLineEdit::textEdited, this, [this] { KeepAspect(Text3); });
    connect(Text2, &QLineEdit::textChanged, this, &FrmCutSet::ShowPictureSize);
    connect(Text3, &QLineEdit::textChanged, this, &FrmCutSet::ShowPictureSize);
    ShowPictureSize();
}

void FrmCutSet::ShowPictureSize()
{
    const double n = Text1->text().toDouble();
    Text5->setText(QString::number(std::round(n * Text2->text().toDouble())));
    Text6->setText(QString::number(std::round(n * Text3->text().toDouble())));
}

void FrmCutSet::KeepAspect(QLineEdit* edited)
{
    if (!Check2->isChecked() || videoSize_.isEmpty())
        return;
    const double value = edited->text().toDouble();
    if (edited == Text2)
        Text3->setText(
            QString::number(std::lround(value * videoSize_.height() / videoSize_.width())));
    else
        Text2->setText(
            QString::number(std::lround(value * videoSize_.width() / videoSize_.height())));
}

} // namespace tolvane
