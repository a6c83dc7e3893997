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
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return m_entries.at(index.row());
    return {};
}

int SelectionModel::insertSorted(const QString &entry, qsizetype logRow)
{
    const auto at = std::upper_bound(m_entries.cbegin(), m_entries.cend(), entry, entryLess);
    const int row = int(at - m_entries.cbegin());
    beginInsertRows({}, row, row);
    m_entries.insert(row, entry);
    m_logRows.insert(row, logRow);
    endInsertRows();
    return row;
}

void SelectionModel::mergeSorted(const QStringList &sorted, const QList<qsizetype> &logRows)
{
    if (sorted.isEmpty())
        return;
    const auto rowOf = [&logRows](qsizetype i) { return i < logRows.size() ? logRows.at(i) : -1; };
    if (m_entries.isEmpty()) {
        QList<qsizetype> rows(sorted.size());
        for (qsizetype i = 0; i < sorted.size(); ++i)
            rows[i] = rowOf(i);
        resetSorted(sorted, std::move(rows));
        return;
    }
    // A merge keeps the earlier entries before equal new ones; the views keep their current
    // and selected entries, which move to their new rows.
    QStringList merged;
    QList<qsizetype> mergedRows;
    merged.reserve(m_entries.size() + sorted.size());
    mergedRows.reserve(m_entries.size() + sorted.size());
    QList<int> newRowOf(m_entries.size());
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < m_entries.size() || j < sorted.size()) {
        if (j == sorted.size() ||
            (i < m_entries.size() && !entryLess(sorted.at(j), m_entries.at(i)))) {
            newRowOf[i] = int(merged.size());
            mergedRows.append(m_logRows.at(i));
            merged.append(m_entries.at(i++));
        } else {
            mergedRows.append(rowOf(j));
            merged.append(sorted.at(j++));
        }
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    m_entries = std::move(merged);
    m_logRows = std::move(mergedRows);
    for (const QModelIndex &from : persistent)
        changePersistentIndex(from, index(newRowOf.at(from.row())));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SelectionModel::resetSorted(QStringList sorted, QList<qsizetype> logRows)
{
    logRows.resize(sorted.size(), -1);
    beginResetModel();
    m_entries = std::move(sorted);
    m_logRows = std::move(logRows);
    endResetModel();
}

SelectionItem SelectionModel::take(int row)
{
    if (row < 0 || row >= m_entries.size())
        return {};
    beginRemoveRows({}, row, row);
    SelectionItem item{m_entries.takeAt(row), m_logRows.takeAt(row)};
    endRemoveRows();
    return item;
}

QStringList SelectionModel::takeAll(QList<qsizetype> *logRows)
{
    if (m_entries.isEmpty())
        return {};
    beginResetModel();
    QStringList all = std::move(m_entries);
    if (logRows)
        *logRows = std::move(m_logRows);
    m_entries.clear();
    m_logRows.clear();
    endResetModel();
    return all;
}

void SelectionModel::followInserted(qsizetype first, qsizetype count)
{
    for (qsizetype &row : m_logRows) {
        if (row >= first)
            row += count;
    }
}

void SelectionModel::followRemoved(qsizetype first, qsizetype last)
{
    const qsizetype count = last - first + 1;
    // From the end, so that each removal leaves the rows still to look at where they are.
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        qsizetype &row = m_logRows[i];
        if (row > last) {
            row -= count;
        } else if (row >= first) {
            beginRemoveRows({}, int(i), int(i));
            m_entries.removeAt(i);
            m_logRows.removeAt(i);
            endRemoveRows();
        }
    }
}

} // namespace orvel
