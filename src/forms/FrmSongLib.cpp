#include "forms/FrmSongLib.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tolvane {

FrmSongLib::FrmSongLib(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("新增歌本");
    List1 = new QListWidget;
    auto* grid = new QGridLayout;
    const char* captions[] = {"光碟序號:", "光碟標籤:", "專輯數量:", "製作日期:"};
    for (int i = 0; i < 4; ++i) {
        Label2[i] = new QLabel;
        grid->addWidget(new QLabel(captions[i]), i, 0);
        grid->addWidget(Label2[i], i, 1);
    }
    Text1 = new QLineEdit;
    grid->addWidget(new QLabel("歌本標籤:"), 4, 0);
    grid->addWidget(Text1, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* names[] = {"確定", "取消"};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(names[i]);
        buttons->addWidget(Command1[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(420, 360);
}

void FrmSongLib::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT closeBox();
}

} // namespace tolvane
