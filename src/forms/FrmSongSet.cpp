#include "forms/FrmSongSet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace tolvane {

int ListRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ListRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ListRows::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const Row& row = rows_[index.row()];
    return index.column() == 0 ? row.name : row.folder;
}

QVariant ListRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    return section == 0 ? QStringLiteral("播放清單") : QStringLiteral("目錄");
}

void ListRows::Append(const QList<Row>& rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(rows_.size()), int(rows_.size() + rows.size() - 1));
    rows_.append(rows);
    endInsertRows();
}

void ListRows::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ListRows::Remove(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= rows_.size(); });
    if (rows.isEmpty())
        return;
    // Runs of rows one after another, last first, so the numbers of the others hold.
    QList<std::pair<int, int>> runs;
    for (int row : std::as_const(rows)) {
        if (!runs.isEmpty() && runs.last().second == row - 1)
            runs.last().second = row;
        else
            runs.append({row, row});
    }
    // Scattered rows of a long list are dropped in one pass instead.
    if (runs.size() > 16) {
        beginResetModel();
        QList<Row> kept;
        kept.reserve(rows_.size() - rows.size());
        for (int i = 0, next = 0; i < rows_.size(); ++i) {
            if (next < rows.size() && rows[next] == i)
                ++next;
            else
                kept.append(rows_[i]);
        }
        rows_ = std::move(kept);
        endResetModel();
        return;
    }
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        beginRemoveRows(QModelIndex(), run->first, run->second);
        rows_.remove(run->first, run->second - run->first + 1);
        endRemoveRows();
    }
}

void ListRows::Move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rows_.size() || to >= rows_.size())
        return;
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    rows_.move(from, to);
    endMoveRows();
}

void RowListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Q_EMIT deletePressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

FrmSongSet::FrmSongSet(const DosFiles& files, QWidget* parent) : QWidget(parent)
{
    setObjectName("frmSongSet");
    setWindowTitle("播放清單設定");
    Drive1 = new QComboBox(this);
    Dir1 = new DirListBox(files, this);
    File1 = new QListWidget(this);
    File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Label1 = new QLabel(this);

    ListView1 = new RowListView(this);
    ListView1->setModel(&Rows);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->header()->resizeSection(0, 180);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->hide();

    auto button = [this](const char* caption) { return new QPushButton(caption, this); };
    Command1 = button("加入 >");
    Command8 = button("全部加入>>");
    Command2 = button("< 刪除(Del)");
    Command7 = button("<< 全部清除");
    Command9 = button("上移");
    Command10 = button("最上");
    Command11 = button("下移");
    Command12 = button("最下");
    Command4 = button("開啟清單檔");
    Command3 = button("另存新檔");
    Command13 = button("開啟最後使用檔");
    Command14 = button("儲存清單檔");
    Command5 = button("開始播放");
    Command6 = button("放棄");
    Timer1 = new QTimer(this);
    Timer1->setInterval(200);

    auto* browser = new QVBoxLayout;
    browser->addWidget(Drive1);
    browser->addWidget(Dir1, 1);
    browser->addWidget(Combo1);
    browser->addWidget(File1, 2);
    browser->addWidget(Label1);
    auto* adding = new QVBoxLayout;
    adding->addStretch();
    for (QPushButton* b : {Command1, Command8, Command2, Command7})
        adding->addWidget(b);
    adding->addStretch();
    auto* list = new QVBoxLayout;
    list->addWidget(ListView1, 1);
    list->addWidget(ProgressBar1);
    auto* commands = new QVBoxLayout;
    for (QPushButton* b : {Command9, Command10, Command11, Command12})
        commands->addWidget(b);
    commands->addStretch();
    for (QPushButton* b : {Command4, Command3, Command13, Command14})
        commands->addWidget(b);
    commands->addStretch();
    commands->addWidget(Command5);
    commands->addWidget(Command6);
    auto* row = new QHBoxLayout(this);
    row->addLayout(browser, 2);
    row->addLayout(adding);
    row->addLayout(list, 3);
    row->addLayout(commands);
    resize(720, 420);
}

} // namespace tolvane
