#include "forms/ListView.h"

#include <QHeaderView>
#include <algorithm>
#include <vector>

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

void ListViewRows::sort(int column, Qt::SortOrder order)
{
    // Each text is folded and read as a number once, not at every comparison.
    struct Key
    {
        bool isNumber;
        qlonglong number;
        QString folded;
        qsizetype row;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(rows_.size()));
    for (qsizetype row = 0; row < rows_.size(); ++row) {
        const QString text = rows_[row].value(column);
        bool isNumber = false;
        const qlonglong number = text.toLongLong(&isNumber);
        keys.push_back({isNumber, number, text.toCaseFolded(), row});
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        const int c = a.isNumber && b.isNumber ? (a.number > b.number) - (a.number < b.number)
                                               : a.folded.compare(b.folded);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    Q_EMIT layoutAboutToBeChanged();
    QList<QStringList> sorted;
    sorted.reserve(rows_.size());
    for (const Key& key : keys)
        sorted.append(std::move(rows_[key.row]));
    rows_ = std::move(sorted);
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
