#include "SelectionModel.h"

#include "SelectionEntry.h"

#include <algorithm>

namespace orvel {

SelectionModel::SelectionModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int SelectionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant SelectionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_entries.at(index.row());
    return {};
}

int SelectionModel::insertSorted(const QString &entry)
{
    const auto at = std::upper_bound(m_entries.cbegin(), m_entries.cend(), entry, entryLess);
    const int row = int(at - m_entries.cbegin());
    beginInsertRows({}, row, row);
    m_entries.insert(row, entry);
    endInsertRows();
    return row;
}

void SelectionModel::mergeSorted(const QStringList &sorted)
{
    if (sorted.isEmpty())
        return;
    if (m_entries.isEmpty()) {
        resetSorted(sorted);
        return;
    }
    // A merge keeps the earlier entries before equal new ones; the views keep their current
    // and selected entries, which move to their new rows.
    QStringList merged;
    merged.reserve(m_entries.size() + sorted.size());
    QList<int> newRowOf(m_entries.size());
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < m_entries.size() || j < sorted.size()) {
        if (j == sorted.size() ||
            (i < m_entries.size() && !entryLess(sorted.at(j), m_entries.at(i)))) {
            newRowOf[i] = int(merged.size());
            merged.append(m_entries.at(i++));
        } else {
            merged.append(sorted.at(j++));
        }
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    m_entries = std::move(merged);
    for (const QModelIndex &from : persistent)
        changePersistentIndex(from, index(newRowOf.at(from.row())));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SelectionModel::resetSorted(QStringList sorted)
{
    beginResetModel();
    m_entries = std::move(sorted);
    endResetModel();
}

QString SelectionModel::take(int row)
{
    if (row < 0 || row >= m_entries.size())
        return {};
    beginRemoveRows({}, row, row);
    QString entry = m_entries.takeAt(row);
    endRemoveRows();
    return entry;
}

QStringList SelectionModel::takeAll()
{
    if (m_entries.isEmpty())
        return {};
    beginResetModel();
    QStringList all = std::move(m_entries);
    m_entries.clear();
    endResetModel();
    return all;
}

} // namespace orvel
