#include "ui/PlayListWindow.h"

#include "app/Context.h"
#include "app/Text.h"
#include "discovery/MusicScan.h"
#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmSongSet.h"
#include "forms/FrmVCD.h"
#include "forms/WindowPlacement.h"
#include "lyrics/ListFile.h"
#include "playback/PlaybackController.h"

#include <QFileDialog>

#include <algorithm>
#include <utility>

namespace tolvane {

namespace {

// Rows handed to the view between two looks at the window's events while a list loads.
constexpr int kRowsBetweenEvents = 2000;

// The folder of a full path; a drive's root keeps its "\".
QString FolderOf(const QString& path)
{
    QString folder = path.left(std::max<qsizetype>(path.lastIndexOf('\\'), 0));
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

ListRows::Row RowOf(const QString& path)
{
    return {FileNamePart(path), FolderOf(path)};
}

QString AskWithQt(const Context& context, QWidget* parent, const ListDialog& ask)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(ask.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(ask.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(ask.filter);
    dialog.setDefaultSuffix(ask.suffix);
    const QString folder = context.platform.files.Local(ask.folder);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(ask.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return context.platform.drives.ToDos(dialog.selectedFiles().first());
}

} // namespace

PlayListWindow::PlayListWindow(Context& context, Forms& forms, PlaybackController& controller)
    : context_(context), forms_(forms), controller_(controller)
{
    fileDialog = [this](const ListDialog& ask) { return AskWithQt(context_, &Window(), ask); };
}

FrmSongSet& PlayListWindow::Window()
{
    return forms_.SongSet();
}

void PlayListWindow::Connect(FrmSongSet& w)
{
    PlayListWindow* p = this;
    auto on = [&w](QPushButton* button, auto act) {
        QObject::connect(button, &QPushButton::clicked, &w, act);
    };
    on(w.Command1, [p] { p->Command1Click(); });
    on(w.Command2, [p] { p->Command2Click(); });
    on(w.Command3, [p] { p->Command3Click(); });
    on(w.Command4, [p] { p->Command4Click(); });
    on(w.Command5, [p] { p->Command5Click(); });
    on(w.Command6, [p] { p->Command6Click(); });
    on(w.Command7, [p] { p->Command7Click(); });
    on(w.Command8, [p] { p->Command8Click(); });
    on(w.Command9, [p] { p->MoveRow(-1); });
    on(w.Command10, [p] { p->MoveRowToEnd(false); });
    on(w.Command11, [p] { p->MoveRow(1); });
    on(w.Command12, [p] { p->MoveRowToEnd(true); });
    // The list file changes under a load or save: they take a copy of its name.
    on(w.Command13, [p] { p->ReadListFile(QString(p->listFile_)); });
    on(w.Command14, [p] { p->SaveListFile(QString(p->listFile_)); });
    QObject::connect(w.File1, &QListWidget::itemDoubleClicked, &w, [p] { p->Command1Click(); });
    QObject::connect(w.ListView1, &QTreeView::doubleClicked, &w, [p] { p->Command2Click(); });
    QObject::connect(w.ListView1, &RowListView::deletePressed, &w, [p] { p->Command2Click(); });
    QObject::connect(w.Timer1, &QTimer::timeout, &w, [p] { p->Timer1Timer(); });
    QObject::connect(w.Dir1, &DirListBox::changed, &w, [p] { p->ShowFiles(); });
    QObject::connect(w.Combo1, &QComboBox::currentTextChanged, &w, [p] { p->ShowFiles(); });
    QObject::connect(w.Drive1, &QComboBox::activated, &w, [p, &w](int index) {
        // A drive that is not ready leaves the lists, and the drive shown, as they were.
        if (!w.Dir1->SetPath(w.Drive1->itemText(index).left(2)))
            p->ShowDrive(w.Dir1->Path());
    });
    // The list used last comes up with the window.
    listFile_ = context_.app.ListFile;
    w.Command13->setToolTip(listFile_);
    if (!listFile_.isEmpty())
        ReadListFile(listFile_);
}

void PlayListWindow::SetListFile(const QString& path)
{
    listFile_ = path;
    if (!printing_)
        context_.app.ListFile = path;
}

bool PlayListWindow::Prepare(bool printing)
{
    FrmSongSet& w = Window();
    if (w.isVisible()) {
        w.raise();
        return false;
    }
    FrmCenter(w, forms_.Vcd());
    // Lyrics to print start afresh, and so does a play list after them.
    if (printing || dialogSuffix_ != "m3u")
        ClearRows();
    printing_ = printing;
    w.Command5->setText(printing ? "開始列印" : "開始播放");
    w.setWindowTitle(printing ? "歌詞列印" : "播放清單設定");
    dialogFilter_ = printing ? "Print Files (*.PRT)" : "List File (*.m3u)";
    dialogSuffix_ = printing ? "PRT" : "m3u";
    return true;
}

void PlayListWindow::mPath1_Click()
{
    if (!Prepare(false))
        return;
    AppState& app = context_.app;
    SetListFile(
        context_.settings.GetUserSetting("ListFile", PathJoin(app.SongFolder, "unknow.m3u")));
    Browse(FolderOf(listFile_));
    SetPatterns({MusicScan::Filters(app.SearchPattern).join(';')});
    if (!ShowAndWait() || ListPlayCount == 0)
        return;
    forms_.Menu().mPath1->setText("清單檔:" + listFile_);
    PlayHandedOver();
}

void PlayListWindow::PlayFiles(const QStringList& paths)
{
    HandedOver = paths;
    ListPlayCount = int(paths.size());
    context_.device.AlbumDirs = paths;
    PlayHandedOver();
}

void PlayListWindow::PlayHandedOver()
{
    DeviceState& device = context_.device;
    device.MixedDisc = false;
    device.TrackCount = ListPlayCount;
    FillPlayList();
    controller_.PlayMp31();
}

void PlayListWindow::mSongText_Click()
{
    if (!Prepare(true))
        return;
    SetListFile(PathJoin(context_.app.SongFolder, "unknow"));
    // The lyrics files live in the song folder.
    Browse(context_.app.SongFolder);
    SetPatterns({"*.txt", "*.*"});
    printerReady_ = printerInstalled && printerInstalled();
    if (!ShowAndWait() || ListPlayCount == 0)
        return;
    if (print)
        print(HandedOver);
}

void PlayListWindow::mADDList_Click()
{
    const QString& playing = context_.playback.MediaPath;
    if (!playing.isEmpty())
        Window().Rows.Append({RowOf(playing)});
}

bool PlayListWindow::ShowAndWait()
{
    FrmSongSet& w = Window();
    ListPlayCount = 0;
    w.Command13->setToolTip(listFile_);
    w.show();
    w.raise();
    w.Timer1->start();
    Timer1Timer();
    while (w.isVisible() && !context_.Ended())
        context_.platform.clock.WaitForEvents();
    w.Timer1->stop();
    return !context_.Ended();
}

void PlayListWindow::FillPlayList()
{
    QListWidget* list = forms_.Vcd().PlayList;
    list->clear();
    list->addItems(HandedOver);
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void PlayListWindow::ReadListFile(const QString& path)
{
    FrmSongSet& w = Window();
    QByteArray bytes;
    if (!context_.platform.files.ReadAll(path, bytes))
        return;
    const int load = ++loads_;
    w.Rows.Clear();
    w.setWindowTitle(w.windowTitle() + " - " + path);
    SetListFile(path);
    // A long list is shown as it is read, the window answering all the while.
    ::tolvane::ListFile list(context_.platform.drives, path, bytes);
    QList<ListRows::Row> rows;
    while (!list.AtEnd()) {
        const QString entry = list.Next();
        if (!entry.isEmpty())
            rows.append(RowOf(entry));
        if (rows.size() < kRowsBetweenEvents)
            continue;
        w.Rows.Append(std::exchange(rows, {}));
        w.ProgressBar1->setValue(int(list.Done() * 100));
        w.ProgressBar1->show();
        context_.platform.clock.DoEvents();
        // Another load, a clearing or the hand-over took the list meanwhile.
        if (load != loads_ || context_.Ended())
            break;
    }
    if (load == loads_)
        w.Rows.Append(rows);
    w.ProgressBar1->hide();
}

void PlayListWindow::SaveListFile(const QString& path)
{
    FrmSongSet& w = Window();
    if (!::tolvane::ListFile::Save(context_.platform.files, path, RowPaths()))
        return;
    w.setWindowTitle(w.windowTitle() + " - " + path);
    SetListFile(path);
}

QStringList PlayListWindow::RowPaths()
{
    QStringList paths;
    const QList<ListRows::Row>& rows = Window().Rows.Rows();
    paths.reserve(rows.size());
    for (const ListRows::Row& row : rows)
        paths.append(PathJoin(row.folder, row.name));
    return paths;
}

void PlayListWindow::AddFiles(bool selectedOnly)
{
    FrmSongSet& w = Window();
    QList<ListRows::Row> rows;
    for (int i = 0; i < w.File1->count(); ++i) {
        QListWidgetItem* item = w.File1->item(i);
        if (selectedOnly && !item->isSelected())
            continue;
        rows.append({item->text(), w.FileList.Path});
        item->setSelected(false);
    }
    w.Rows.Append(rows);
}

void PlayListWindow::Command1Click()
{
    AddFiles(true);
}

void PlayListWindow::Command8Click()
{
    AddFiles(false);
}

void PlayListWindow::Command2Click()
{
    FrmSongSet& w = Window();
    QList<int> rows;
    for (const QModelIndex& index : w.ListView1->selectionModel()->selectedRows())
        rows.append(index.row());
    w.Rows.Remove(rows);
}

void PlayListWindow::Command7Click()
{
    ClearRows();
}

void PlayListWindow::ClearRows()
{
    ++loads_;
    Window().Rows.Clear();
}

QString PlayListWindow::Ask(bool save)
{
    QString name = FileNamePart(listFile_);
    if (name.contains('.'))
        name.chop(4);
    return fileDialog ? fileDialog({save, FolderOf(listFile_), name, dialogFilter_, dialogSuffix_})
                      : QString();
}

void PlayListWindow::Command4Click()
{
    const QString chosen = Ask(false);
    if (!chosen.isEmpty())
        ReadListFile(chosen);
}

void PlayListWindow::Command3Click()
{
    const QString chosen = Ask(true);
    if (!chosen.isEmpty())
        SaveListFile(chosen);
}

void PlayListWindow::Command5Click()
{
    FrmSongSet& w = Window();
    if (w.Rows.rowCount() == 0) {
        context_.platform.prompter.Beep();
        return;
    }
    ++loads_;
    HandedOver = RowPaths();
    ListPlayCount = int(HandedOver.size());
    // Lyrics chosen for printing leave the albums that play alone.
    if (!printing_)
        context_.device.AlbumDirs = HandedOver;
    if (ExtName(listFile_).toUpper() == "M3U")
        context_.settings.SaveUserSetting("ListFile", listFile_);
    w.close();
}

void PlayListWindow::Command6Click()
{
    ++loads_;
    ListPlayCount = 0;
    Window().close();
}

int PlayListWindow::Selected()
{
    FrmSongSet& w = Window();
    QItemSelectionModel* selection = w.ListView1->selectionModel();
    const QModelIndex current = w.ListView1->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void PlayListWindow::SelectRow(int row)
{
    FrmSongSet& w = Window();
    const QModelIndex index = w.Rows.index(row, 0);
    w.ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    w.ListView1->scrollTo(index);
}

void PlayListWindow::MoveRow(int step)
{
    const int from = Selected();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= Window().Rows.rowCount())
        return;
    Window().Rows.Move(from, to);
    SelectRow(to);
}

void PlayListWindow::MoveRowToEnd(bool last)
{
    const int from = Selected();
    if (from < 0)
        return;
    const int to = last ? Window().Rows.rowCount() - 1 : 0;
    Window().Rows.Move(from, to);
    SelectRow(to);
}

void PlayListWindow::Timer1Timer()
{
    FrmSongSet& w = Window();
    const bool any = w.Rows.rowCount() > 0;
    const bool selected = any && Selected() >= 0;
    for (QPushButton* button : {w.Command2, w.Command3, w.Command7})
        button->setEnabled(any);
    for (QPushButton* button : {w.Command9, w.Command10, w.Command11, w.Command12})
        button->setEnabled(selected);
    w.Command5->setEnabled(any && (!printing_ || printerReady_));
}

void PlayListWindow::Browse(const QString& folder)
{
    FrmSongSet& w = Window();
    w.Drive1->clear();
    w.Drive1->addItems(context_.platform.drives.DriveList());
    // A folder that is gone leaves its drive's root; a drive not ready, the lists.
    if (!w.Dir1->SetPath(folder))
        w.Dir1->SetPath(folder.left(2));
    ShowDrive(w.Dir1->Path());
    ShowFiles();
}

void PlayListWindow::ShowDrive(const QString& drive)
{
    FrmSongSet& w = Window();
    for (int i = 0; i < w.Drive1->count(); ++i) {
        if (w.Drive1->itemText(i).left(2).compare(drive.left(2), Qt::CaseInsensitive) == 0) {
            w.Drive1->setCurrentIndex(i);
            return;
        }
    }
}

void PlayListWindow::ShowFiles()
{
    FrmSongSet& w = Window();
    w.FileList.Path = w.Dir1->Path();
    w.FileList.Pattern = w.Combo1->currentText();
    w.FileList.Refresh(context_.platform.files);
    w.File1->clear();
    w.File1->addItems(w.FileList.List);
    w.Label1->setText(QString::number(w.FileList.List.size()) + " Files");
}

void PlayListWindow::SetPatterns(const QStringList& patterns)
{
    FrmSongSet& w = Window();
    const QSignalBlocker quiet(w.Combo1);
    w.Combo1->clear();
    w.Combo1->addItems(patterns);
    w.Combo1->setCurrentIndex(0);
    ShowFiles();
}

} // namespace tolvane
