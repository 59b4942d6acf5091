#include "forms/FrmFindMusic.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tolvane {

FrmFindMusic::FrmFindMusic(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("歌本管理");
    ListView2 = new ListView({"序號", "光碟標籤", "光碟序號", "製作日期"});
    ListView1 = new ListView({"歌名", "所在目錄", "光碟標籤"});

    auto* search = new QGridLayout;
    Label1 = new QLabel("歌曲查詢:");
    Text1 = new QLineEdit;
    Command1 = new QPushButton("開始搜尋");
    Command1->setToolTip("搜尋歌名");
    Label2 = new QLabel("冊號:");
    Command3 = new QPushButton("開始搜尋");
    Command3->setToolTip("搜尋專集");
    search->addWidget(Label1, 0, 0);
    search->addWidget(Text1, 0, 1);
    search->addWidget(Command1, 0, 2);
    search->addWidget(Label2, 1, 0);
    search->addWidget(Command3, 1, 2);

    auto* options = new QHBoxLayout;
    Check2 = new QCheckBox("加入原光碟標籤");
    Check1 = new QCheckBox("自動編號");
    Text2 = new QLineEdit("MP3_");
    Text2->setMaximumWidth(80);
    options->addWidget(Check2);
    options->addWidget(Check1);
    options->addWidget(Text2);
    options->addStretch();
    const char* names[] = {"放棄", "匯入歌本", "匯出歌本"};
    for (int i = 0; i < 3; ++i) {
        Command2[i] = new QPushButton(names[i]);
        options->addWidget(Command2[i]);
    }

    StatusBar1 = new QStatusBar;
    StatusBar1->setSizeGripEnabled(false);
    for (QLabel*& panel : Panels) {
        panel = new QLabel;
        StatusBar1->addWidget(panel, 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListView2, 1);
    layout->addLayout(search);
    layout->addWidget(ListView1, 2);
    layout->addLayout(options);
    layout->addWidget(StatusBar1);
    resize(640, 520);
    // Titles and song names get the room; the last column takes what is left.
    ListView2->setColumnWidth(0, 50);
    ListView2->setColumnWidth(1, 230);
    ListView2->setColumnWidth(2, 110);
    ListView1->setColumnWidth(0, 270);
    ListView1->setColumnWidth(1, 160);
}

void FrmFindMusic::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT closeBox();
}

} // namespace tolvane
