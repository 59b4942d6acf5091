#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QTreeView>

namespace tolvane {

// The rows of a list view in report mode, a text per column; held as a model so a
// hundred thousand rows show and sort without a widget per cell.
class ListViewRows : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ListViewRows(QStringList headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // By the column's texts without regard to case; whole numbers by their value.
    void sort(int column, Qt::SortOrder order) override;

    void SetRows(QList<QStringList> rows);
    const QList<QStringList>& Rows() const { return rows_; }
    // The texts of one column, top to bottom.
    QStringList Column(int column) const;

private:
    QStringList headers_;
    QList<QStringList> rows_;
};

// A list view in report mode: its rows, column headers that can be clicked, and the
// order it was last sorted in.
class ListView : public QTreeView
{
    Q_OBJECT
public:
    explicit ListView(const QStringList& headers, QWidget* parent = nullptr);

    ListViewRows* Rows() const { return rows_; }
    Qt::SortOrder SortOrder = Qt::DescendingOrder; // the first sort makes it ascending

Q_SIGNALS:
    void columnClick(int column);

private:
    ListViewRows* rows_;
};

} // namespace tolvane
