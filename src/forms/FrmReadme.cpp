#include "forms/FrmReadme.h"

#include "app/RtfReader.h"
#include "app/Settings.h"
#include "app/Text.h"
#include "platform/DosFiles.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tolvane {

FrmReadme::FrmReadme(Settings& settings, const DosFiles& files, QString readmePath, QWidget* parent)
    : QWidget(parent), settings_(settings), files_(files), readmePath_(std::move(readmePath))
{
    setWindowTitle("Tolvane說明檔");
    resize(560, 460);
    RichTextBox1 = new QTextEdit;
    RichTextBox1->setReadOnly(true);
    Check1 = new QCheckBox("下次不要顯示此說明");
    Label1 = new QLabel("歡迎使用 Tolvane99。說明檔也可以從選單中再次開啟。");
    Label1->setWordWrap(true);
    Command1 = new QPushButton("關閉");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RichTextBox1);
    layout->addWidget(Label1);
    auto* row = new QHBoxLayout;
    row->addWidget(Check1);
    row->addStretch();
    row->addWidget(Command1);
    layout->addLayout(row);
    connect(Command1, &QPushButton::clicked, this, &FrmReadme::Command1Click);
    RichTextBox1->setFocusPolicy(Qt::ClickFocus);
}

void FrmReadme::FormLoad()
{
    if (!loaded_) {
        QByteArray bytes;
        if (files_.ReadAll(readmePath_, bytes))
            ReadRtf(bytes, *RichTextBox1->document());
        loaded_ = true;
    }
    if (LenientNumber(settings_.GetUserSetting("ReadMe", "0")) == 0) {
        Check1->setChecked(false);
        show();
        Command1->setFocus();
    }
}

void FrmReadme::Command1Click()
{
    settings_.SaveUserSetting("ReadMe", Check1->isChecked() ? 1 : 0);
    hide();
}

void FrmReadme::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace tolvane
