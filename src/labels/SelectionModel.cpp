#include "SelectionModel.h"

#include "SelectionEntry.h"

#include <algorithm>

namespace orvel {

SelectionModel::SelectionModel(QObject *parent)
    : LongListModel(parent)
{
}

int SelectionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_logRows.size());
}

QVariant SelectionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_logRows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return entryAt(index.row());
    return {};
}

QString SelectionModel::entryOf(const SelectionItems &items, qint64 source)
{
    if (source < 0)
        return items.texts.at(-1 - source);
    return selectionEntry(items.rows->rowBytes(source));
}

QString SelectionModel::entryAt(qsizetype row) const
{
    const qint64 source = m_sources[size_t(row)];
    if (source < 0)
        return m_texts.at(-1 - source);
    return selectionEntry(m_rows->rowBytes(source));
}

QStringList SelectionModel::entries() const
{
    QStringList all;
    all.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        all.append(entryAt(row));
    return all;
}

qint64 SelectionModel::addText(const QString &entry)
{
    m_texts.append(entry);
    return -qint64(m_texts.size());
}

int SelectionModel::insertSorted(const QString &entry, qsizetype logRow)
{
    // A binary search: a few entries are made, whatever the length of the list.
    qsizetype low = 0;
    qsizetype high = size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (entryLess(entry, entryAt(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    const int row = int(low);
    beginInsertRows({}, row, row);
    m_sources.insert(m_sources.begin() + row, addText(entry));
    m_logRows.insert(row, logRow);
    endInsertRows();
    return row;
}

void SelectionModel::mergeSorted(const QStringList &sorted, const QList<qsizetype> &logRows)
{
    SelectionItems items;
    items.texts = sorted;
    items.sources.reserve(size_t(sorted.size()));
    items.logRows.reserve(sorted.size());
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        items.sources.push_back(-1 - i);
        items.logRows.append(i < logRows.size() ? logRows.at(i) : -1);
    }
    mergeSorted(std::move(items));
}

void SelectionModel::mergeSorted(SelectionItems items)
{
    if (items.sources.empty())
        return;
    if (m_sources.empty()) {
        beginResetModel();
        m_rows = std::move(items.rows);
        m_sources = std::move(items.sources);
        m_texts = std::move(items.texts);
        m_logRows = std::move(items.logRows);
        endResetModel();
        return;
    }
    // The new entries' sources become this list's: their texts follow this list's, and an
    // entry of other rows than this list's keeps its own text. Texts added change no entry
    // shown.
    const bool sameRows = !m_rows || !items.rows || m_rows == items.rows;
    const qint64 textBase = m_texts.size();
    m_texts.append(items.texts);
    const auto sourceHere = [&](qint64 source) {
        if (source < 0)
            return source - textBase;
        return sameRows ? source : addText(entryOf(items, source));
    };
    // A merge keeps the earlier entries before equal new ones; the views keep their current
    // and selected entries, which move to their new rows.
    std::vector<qint64> merged;
    QList<qsizetype> mergedRows;
    merged.reserve(m_sources.size() + items.sources.size());
    mergedRows.reserve(m_logRows.size() + items.logRows.size());
    QList<int> newRowOf(size());
    size_t i = 0;
    size_t j = 0;
    QString mine = entryAt(0);
    QString theirs = entryOf(items, items.sources.front());
    while (i < m_sources.size() || j < items.sources.size()) {
        if (j == items.sources.size() || (i < m_sources.size() && !entryLess(theirs, mine))) {
            newRowOf[qsizetype(i)] = int(merged.size());
            mergedRows.append(m_logRows.at(qsizetype(i)));
            merged.push_back(m_sources[i]);
            if (++i < m_sources.size())
                mine = entryAt(qsizetype(i));
        } else {
            mergedRows.append(items.logRows.at(qsizetype(j)));
            merged.push_back(sourceHere(items.sources[j]));
            if (++j < items.sources.size())
                theirs = entryOf(items, items.sources[j]);
        }
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    if (!m_rows)
        m_rows = std::move(items.rows);
    m_sources = std::move(merged);
    m_logRows = std::move(mergedRows);
    for (const QModelIndex &from : persistent)
        changePersistentIndex(from, index(newRowOf.at(from.row())));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SelectionModel::resetSorted(QStringList sorted, QList<qsizetype> logRows)
{
    logRows.resize(sorted.size(), -1);
    beginResetModel();
    m_rows.reset();
    m_sources.clear();
    m_sources.reserve(size_t(sorted.size()));
    for (qsizetype i = 0; i < sorted.size(); ++i)
        m_sources.push_back(-1 - i);
    m_texts = std::move(sorted);
    m_logRows = std::move(logRows);
    endResetModel();
}

void SelectionModel::resetRows(std::shared_ptr<const LogRows> rows, QList<qsizetype> sortedRows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_texts.clear();
    m_sources.assign(sortedRows.cbegin(), sortedRows.cend());
    m_logRows = std::move(sortedRows);
    endResetModel();
}

SelectionItem SelectionModel::take(int row)
{
    if (row < 0 || row >= size())
        return {};
    beginRemoveRows({}, row, row);
    SelectionItem item{entryAt(row), m_logRows.takeAt(row)};
    m_sources.erase(m_sources.begin() + row);
    endRemoveRows();
    return item;
}

SelectionItems SelectionModel::takeAll()
{
    if (m_sources.empty())
        return {};
    beginResetModel();
    SelectionItems all{std::move(m_rows), std::move(m_sources), std::move(m_texts),
                       std::move(m_logRows)};
    m_rows.reset();
    m_sources.clear();
    m_texts.clear();
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
    for (qsizetype i = size() - 1; i >= 0; --i) {
        qsizetype &row = m_logRows[i];
        if (row > last) {
            row -= count;
        } else if (row >= first) {
            beginRemoveRows({}, int(i), int(i));
            m_logRows.removeAt(i);
            m_sources.erase(m_sources.begin() + i);
            endRemoveRows();
        }
    }
}

} // namespace orvel
