#include "forms/FrmSet.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QVBoxLayout>
#include <tuple>

namespace tolvane {

namespace {

// Frames packed closer than the style's default, so the window fits an 800 by 600
// screen.
QGroupBox* Frame(const QString& caption, QLayout* layout)
{
    auto* box = new QGroupBox(caption);
    layout->setSpacing(4);
    layout->setContentsMargins(8, 4, 8, 6);
    box->setLayout(layout);
    return box;
}

QPushButton* Browse()
{
    auto* button = new QPushButton("..");
    button->setFixedWidth(28);
    return button;
}

} // namespace

const QStringList& FrmSet::BuiltInFileTypes()
{
    static const QStringList types = {"Audio CD (*.cda)",   "VCD (*.dat)", "AVI (*.avi)",
                                      "Quick Time (*.mov)", "MP3 (*.mp3)", "MIDI (*.mid)",
                                      "Audio (*.wav)",      "MPEG (*.mpg)"};
    return types;
}

FrmSet::FrmSet(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("設定組態");
    // Three columns of frames whose rows line up: the device and start-up on the left,
    // the folders and the picture show in the middle, the file types and the song book
    // on the right.
    auto* grid = new QGridLayout(this);
    grid->setSpacing(6);
    grid->addWidget(BuildStartMode(), 0, 0);
    grid->addWidget(BuildStopMode(), 1, 0);
    grid->addWidget(BuildVolume(), 2, 0);
    grid->addWidget(BuildFolders(), 0, 1);
    grid->addWidget(BuildPictureShow(), 1, 1, 2, 1);
    grid->addWidget(BuildFileTypes(), 0, 2);
    grid->addWidget(BuildSongBook(), 1, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    Command2 = new QPushButton("確定");
    Command3 = new QPushButton("取消");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 3, 0, 1, 3);
}

void FrmSet::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT closeBox();
}

void FrmSet::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

QWidget* FrmSet::BuildStartMode()
{
    auto* layout = new QVBoxLayout;
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"起動時,從光碟機中搜尋", "搜尋指定裝置", "不要搜尋,我自給來"};
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(captions[i]);
        group->addButton(Option1[i]);
        layout->addWidget(Option1[i]);
    }
    Check2 = new QCheckBox("光碟機進片自動撥放");
    Check5 = new QCheckBox("搜尋後自動撥放");
    Check7 = new QCheckBox("檢查混合光碟(Game CD)");
    layout->addWidget(Check2);
    layout->addWidget(Check5);
    layout->addWidget(Check7);
    Combo1 = new QComboBox;
    auto* device = new QVBoxLayout;
    device->addWidget(Combo1);
    layout->addWidget(Frame("指定裝置:", device));
    return Frame("起動模式", layout);
}

QWidget* FrmSet::BuildSongBook()
{
    auto* layout = new QVBoxLayout;
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"自動", "詢問", "不使用"};
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Option4[i] = new QRadioButton(captions[i]);
        group->addButton(Option4[i]);
        row->addWidget(Option4[i]);
    }
    layout->addLayout(row);
    Check4 = new QCheckBox("目錄明細檔作成");
    Command8 = new QPushButton("歌本管理");
    layout->addWidget(Check4);
    layout->addWidget(Command8);
    layout->addStretch();
    return Frame("CDROM 歌本", layout);
}

QWidget* FrmSet::BuildVolume()
{
    auto* layout = new QHBoxLayout;
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(100);
    ProgressBar1->setTextVisible(false);
    Label4 = new QLabel("100%");
    // Room for the widest value, "55.5%", so the bar does not jump.
    Label4->setMinimumWidth(Label4->fontMetrics().horizontalAdvance("100.0%"));
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label4);
    return Frame("主通道音量", layout);
}

QWidget* FrmSet::BuildFolders()
{
    auto* grid = new QGridLayout;
    auto field = [] {
        auto* text = new QLineEdit;
        // As wide as the window may grow on an 800 by 600 screen. A path longer than
        // the field shows its end; the tip shows all of it.
        text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString(34, QChar('x'))));
        QObject::connect(text, &QLineEdit::textChanged, text, &QLineEdit::setToolTip);
        return text;
    };
    Label1 = new QLabel("工作中面版");
    Text6 = field();
    Command7 = Browse();
    Label3 = new QLabel("按鈕快取目錄");
    Text2 = field();
    Command4 = Browse();
    Label5 = new QLabel("抓圖目錄");
    Text7 = field();
    Command9 = Browse();
    Check3 = new QCheckBox("自動建立歌詞影射目錄");
    Check3->setToolTip("補捉光諜中用過的歌詞");
    Text5 = field();
    Command6 = Browse();
    Command10 = new QPushButton("清除按鈕快取");
    const std::tuple<QLabel*, QLineEdit*, QPushButton*> rows[] = {
        {Label1, Text6, Command7}, {Label3, Text2, Command4}, {Label5, Text7, Command9}};
    int row = 0;
    for (const auto& [label, text, button] : rows) {
        label->setBuddy(text);
        grid->addWidget(label, row, 0);
        grid->addWidget(text, row, 1);
        grid->addWidget(button, row, 2);
        ++row;
    }
    auto* song = new QHBoxLayout;
    song->addWidget(Check3);
    song->addStretch();
    song->addWidget(Command10);
    grid->addLayout(song, row++, 0, 1, 3);
    // The song folder sits under its check box, in line with the other folders.
    grid->addWidget(Text5, row, 1);
    grid->addWidget(Command6, row, 2);
    grid->setRowStretch(row + 1, 1);
    grid->setColumnStretch(1, 1);
    return Frame("目錄設定", grid);
}

QWidget* FrmSet::BuildStopMode()
{
    auto* layout = new QVBoxLayout;
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"重複撥放", "自動退片", "停止撥放"};
    for (int i = 0; i < 3; ++i) {
        Option2[i] = new QRadioButton(captions[i]);
        group->addButton(Option2[i]);
        layout->addWidget(Option2[i]);
    }
    layout->addStretch();
    return Frame("當整片光碟撥放完畢時", layout);
}

QWidget* FrmSet::BuildFileTypes()
{
    auto* layout = new QVBoxLayout;
    List1 = new QListWidget;
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    Text4 = new QLineEdit;
    Text4->setEnabled(false);
    layout->addWidget(List1);
    layout->addWidget(Text4);
    auto* row = new QHBoxLayout;
    const char* captions[] = {"加入", "刪除", "確定", "取消"};
    for (int i = 0; i < 4; ++i) {
        Command5[i] = new QPushButton(captions[i]);
        row->addWidget(Command5[i]);
    }
    Command5[1]->setEnabled(false);
    Command5[2]->setVisible(false);
    Command5[3]->setVisible(false);
    layout->addLayout(row);
    return Frame("搜尋檔案類型", layout);
}

QWidget* FrmSet::BuildPictureShow()
{
    auto* grid = new QGridLayout;
    Check6 = new QCheckBox("MTV模式");
    Check1 = new QCheckBox("自動更換背景圖片");
    auto* group = new QButtonGroup(this);
    Option3[0] = new QRadioButton("對著歌詞更換圖片");
    Option3[1] = new QRadioButton("定時更換圖片(秒)");
    group->addButton(Option3[0]);
    group->addButton(Option3[1]);
    Text3 = new QLineEdit(QString::number(kShowTimeDesign));
    Text3->setReadOnly(true);
    Text3->setAlignment(Qt::AlignRight);
    Text3->setFixedWidth(Text3->fontMetrics().horizontalAdvance("0000") + 12);
    VScroll1 = new QScrollBar(Qt::Vertical);
    VScroll1->setRange(0, 30);
    VScroll1->setValue(kShowTimeDesign);
    VScroll1->setFixedHeight(Text3->sizeHint().height());
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { Text3->setText(QString::number(value)); });
    Text1 = new QLineEdit;
    Command1 = Browse();
    // The folder belongs to the check box that turns the show on; the interval to the
    // timed mode.
    grid->addWidget(Check6, 0, 0, 1, 4);
    grid->addWidget(Check1, 1, 0, 1, 4);
    grid->addWidget(Text1, 2, 0, 1, 3);
    grid->addWidget(Command1, 2, 3);
    grid->addWidget(Option3[0], 3, 0, 1, 4);
    grid->addWidget(Option3[1], 4, 0);
    grid->addWidget(Text3, 4, 1);
    grid->addWidget(VScroll1, 4, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(5, 1);
    return Frame("秀圖設定", grid);
}

} // namespace tolvane
