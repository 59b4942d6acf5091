#pragma once

#include "forms/FrmSeleDir.h"
#include "forms/ListControls.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

namespace tolvane {

class DosFiles;

// The rows of the play list view: a file's name and its folder. A list holds up to
// hundreds of thousands of rows, so removals and moves touch the rows, not widgets.
class ListRows : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Row
    {
        QString name;
        QString folder;
        bool operator==(const Row&) const = default;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const QList<Row>& Rows() const { return rows_; }
    void Append(const QList<Row>& rows);
    void Clear();
    // Removes the rows of these numbers, in any order.
    void Remove(QList<int> rows);
    // Takes row `from` out and puts it in at `to`; the rows between shift by one.
    void Move(int from, int to);

private:
    QList<Row> rows_;
};

// The play list view: the Delete key removes the selected rows.
class RowListView : public QTreeView
{
    Q_OBJECT
public:
    using QTreeView::QTreeView;

Q_SIGNALS:
    void deletePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The play list window "播放清單設定": a drive, folder and file browser, the list and
// its buttons. It holds the controls; the procedures live in the play list window of
// the user interface.
class FrmSongSet : public QWidget
{
    Q_OBJECT
public:
    explicit FrmSongSet(const DosFiles& files, QWidget* parent = nullptr);

    QComboBox* Drive1 = nullptr;
    DirListBox* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    FileListBox FileList;        // what File1 shows
    QComboBox* Combo1 = nullptr; // the file pattern
    QLabel* Label1 = nullptr;    // the file count
    RowListView* ListView1 = nullptr;
    ListRows Rows;                        // what ListView1 shows
    QProgressBar* ProgressBar1 = nullptr; // a long list being read
    QPushButton* Command1 = nullptr;      // add the selected files
    QPushButton* Command2 = nullptr;      // remove the selected rows
    QPushButton* Command3 = nullptr;      // save as
    QPushButton* Command4 = nullptr;      // open a list file
    QPushButton* Command5 = nullptr;      // start
    QPushButton* Command6 = nullptr;      // give up
    QPushButton* Command7 = nullptr;      // remove all rows
    QPushButton* Command8 = nullptr;      // add all files
    QPushButton* Command9 = nullptr;      // up
    QPushButton* Command10 = nullptr;     // to the top
    QPushButton* Command11 = nullptr;     // down
    QPushButton* Command12 = nullptr;     // to the bottom
    QPushButton* Command13 = nullptr;     // open the list file used last
    QPushButton* Command14 = nullptr;     // save the list file
    QTimer* Timer1 = nullptr;             // keeps the buttons current
};

} // namespace tolvane
