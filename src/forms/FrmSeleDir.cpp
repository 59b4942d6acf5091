#include "forms/FrmSeleDir.h"

#include "app/Text.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"

#include <QCloseEvent>
#include <QGridLayout>

namespace tolvane {

namespace {

// "C:\A\B" as its folders from the root: "C:\", "C:\A", "C:\A\B".
QStringList OpenFolders(const QString& path)
{
    QStringList folders{path.left(2) + "\\"};
    QString walked = path.left(2);
    for (const QString& part : path.mid(3).split('\\', Qt::SkipEmptyParts)) {
        walked += "\\" + part;
        folders.append(walked);
    }
    return folders;
}

// A folder path without a trailing backslash, the root keeping its own.
QString FolderPath(const QString& dosPath)
{
    QString path = dosPath;
    while (path.size() > 3 && path.endsWith('\\'))
        path.chop(1);
    if (path.size() == 2)
        path += '\\';
    return path;
}

} // namespace

DirListBox::DirListBox(const DosFiles& files, QWidget* parent) : QListWidget(parent), files_(files)
{
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetPath(item->data(Qt::UserRole).toString()); });
}

bool DirListBox::SetPath(const QString& dosPath)
{
    const QString path = FolderPath(dosPath);
    if (path.size() < 3 || path[1] != ':' || !files_.FolderExists(path))
        return false;
    path_ = path;
    Fill();
    Q_EMIT changed();
    return true;
}

void DirListBox::Fill()
{
    clear();
    const QStringList open = OpenFolders(path_);
    for (int depth = 0; depth < open.size(); ++depth) {
        const QString text = depth == 0 ? open[0] : FileNamePart(open[depth]);
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + text, this);
        item->setData(Qt::UserRole, open[depth]);
    }
    const QString indent(open.size() * 2, ' ');
    for (const QString& name : files_.ListFolders(path_)) {
        auto* item = new QListWidgetItem(indent + name, this);
        item->setData(Qt::UserRole, PathJoin(path_, name));
    }
    setCurrentRow(int(open.size()) - 1);
}

FrmSeleDir::FrmSeleDir(ChooserState& chooser, const DriveMap& drives, const DosFiles& files,
                       QWidget* parent)
    : QWidget(parent), chooser_(chooser), drives_(drives), files_(files)
{
    setObjectName("frmSeleDir");
    setWindowTitle("指定目錄");
    Drive1 = new QComboBox(this);
    Dir1 = new DirListBox(files, this);
    File1 = new QListWidget(this);
    Text1 = new QLineEdit(this);
    Text1->setReadOnly(true);
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Command5 = new QPushButton("確定", this);
    Command6 = new QPushButton("取消", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Text1, 1, 1);
    grid->addWidget(Dir1, 2, 0);
    grid->addWidget(File1, 2, 1);
    grid->addWidget(Label2, 3, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command5);
    buttons->addWidget(Command6);
    grid->addLayout(buttons, 3, 1);
    resize(460, 320);

    RefreshDrives();
    connect(Drive1, &QComboBox::activated, this,
            [this](int index) { SetDrive(Drive1->itemText(index)); });
    connect(Dir1, &DirListBox::changed, this, &FrmSeleDir::DirChange);
    connect(Command5, &QPushButton::clicked, this, &FrmSeleDir::Command5Click);
    connect(Command6, &QPushButton::clicked, this, &FrmSeleDir::Command6Click);
}

void FrmSeleDir::RefreshDrives()
{
    const QString shown = Drive1->currentText();
    Drive1->clear();
    Drive1->addItems(drives_.DriveList());
    ShowDrive(shown);
}

bool FrmSeleDir::SetDrive(const QString& drive)
{
    if (!Dir1->SetPath(drive.left(2))) {
        // Not ready: the lists stay where they were, and so does the drive shown.
        ShowDrive(Dir1->Path());
        return false;
    }
    ShowDrive(drive);
    return true;
}

void FrmSeleDir::ShowDrive(const QString& drive)
{
    for (int i = 0; i < Drive1->count(); ++i) {
        if (Drive1->itemText(i).left(2).compare(drive.left(2), Qt::CaseInsensitive) == 0) {
            Drive1->setCurrentIndex(i);
            return;
        }
    }
}

void FrmSeleDir::SetPattern(const QString& pattern)
{
    FileList.Pattern = pattern;
    Text1->setText(pattern);
    DirChange();
}

void FrmSeleDir::DirChange()
{
    FileList.Path = Dir1->Path();
    FileList.Refresh(files_);
    File1->clear();
    File1->addItems(FileList.List);
    Label1->setText(Dir1->Path());
    Label2->setText(QString::number(FileList.List.size()) + " 個檔");
}

void FrmSeleDir::Command5Click()
{
    chooser_.Path = Dir1->Path();
    CloseForm();
}

void FrmSeleDir::Command6Click()
{
    chooser_.Path.clear();
    CloseForm();
}

void FrmSeleDir::CloseForm()
{
    hide();
    chooser_.Open = false;
}

void FrmSeleDir::closeEvent(QCloseEvent* event)
{
    // The close box keeps the path the caller passed in.
    event->ignore();
    CloseForm();
}

} // namespace tolvane
