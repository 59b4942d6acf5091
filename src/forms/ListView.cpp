#include "forms/ListView.h"

#include <QHeaderView>
#include <algorithm>

namespace tolvane {

ListViewRows::ListViewRows(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers))
{
}

int ListViewRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ListViewRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant ListViewRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return rows_.value(index.row()).value(index.column());
}

QVariant ListViewRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return headers_.value(section);
}

namespace {

int Compare(const QString& a, const QString& b)
{
    bool aNumber = false, bNumber = false;
    const qlonglong x = a.toLongLong(&aNumber), y = b.toLongLong(&bNumber);
    if (aNumber && bNumber)
        return x < y ? -1 : (x > y ? 1 : 0);
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace

void ListViewRows::sort(int column, Qt::SortOrder order)
{
    Q_EMIT layoutAboutToBeChanged();
    std::stable_sort(rows_.begin(), rows_.end(), [&](const QStringList& a, const QStringList& b) {
        const int c = Compare(a.value(column), b.value(column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    Q_EMIT layoutChanged();
}

void ListViewRows::SetRows(QList<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QStringList ListViewRows::Column(int column) const
{
    QStringList texts;
    texts.reserve(rows_.size());
    for (const QStringList& row : rows_)
        texts.append(row.value(column));
    return texts;
}

ListView::ListView(const QStringList& headers, QWidget* parent)
    : QTreeView(parent), rows_(new ListViewRows(headers, this))
{
    setModel(rows_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &ListView::columnClick);
}

} // namespace tolvane
