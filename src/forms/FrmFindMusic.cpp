#include "forms/FrmFindMusic.h"

#include <QHBoxLayout>

namespace tolvane {

FrmFindMusic::FrmFindMusic(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("歌本管理");
    Check1 = new QCheckBox("自動編號");
    Check2 = new QCheckBox("加入原光碟標籤");
    auto* row = new QHBoxLayout(this);
    row->addWidget(Check1);
    row->addWidget(Check2);
}

} // namespace tolvane
