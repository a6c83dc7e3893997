// One of the two sorted lists of the label selection: selection entries kept in the lists'
// order, shown by a list view. Each entry may carry the row of the log it was made from
// (-1 when it has none), so that the list follows the log's rows as QSOs are inserted or
// removed.
//
// A list made from the log holds no text per entry: it keeps the log's rows as they stood
// (sharing the log's bytes) and, for each entry, the row its text is made from when it is
// shown. An entry added one at a time keeps its own text.
#pragma once

#include "common/LongListModel.h"
#include "records/CurrentLog.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

namespace orvel {

// An entry and the log row it was made from.
struct SelectionItem {
    QString entry;
    qsizetype logRow = -1;
};

// Every entry of a list, taken out at once to go to the other list.
struct SelectionItems {
    std::shared_ptr<const LogRows> rows;
    // Per entry: a row of rows, or -1 - the index of its text in texts.
    std::vector<qint64> sources;
    QStringList texts;
    QList<qsizetype> logRows;
};

class SelectionModel : public LongListModel
{
    Q_OBJECT
public:
    explicit SelectionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    qsizetype size() const { return m_logRows.size(); }
    // The entry at row of the list.
    QString entryAt(qsizetype row) const;
    // Every entry, in order.
    QStringList entries() const;
    // The log row of each entry, in the same order.
    const QList<qsizetype> &logRows() const { return m_logRows; }
    // Adds an entry at its sorted place (after the entries equal to it); returns its row.
    int insertSorted(const QString &entry, qsizetype logRow = -1);
    // Adds entries already sorted among themselves, each at its sorted place; logRows, when
    // given, holds each entry's log row.
    void mergeSorted(const QStringList &sorted, const QList<qsizetype> &logRows = {});
    // The same with the entries of another list.
    void mergeSorted(SelectionItems items);
    // Puts sorted entries in the place of every entry, in one reset of the views.
    void resetSorted(QStringList sorted, QList<qsizetype> logRows = {});
    // Puts the entries of the lines of rows at sortedRows (in the lists' order already) in the
    // place of every entry, in one reset; each entry's log row is its row.
    void resetRows(std::shared_ptr<const LogRows> rows, QList<qsizetype> sortedRows);
    // Removes the entry at row and returns it; an empty entry when there is none.
    SelectionItem take(int row);
    // Removes every entry and returns them in order, with their log rows.
    SelectionItems takeAll();

    // The log had count rows inserted before its row first: the rows of the entries move.
    void followInserted(qsizetype first, qsizetype count);
    // The log's rows first to last were removed: their entries go, the others' rows move.
    void followRemoved(qsizetype first, qsizetype last);

private:
    // The source of an entry with its own text.
    qint64 addText(const QString &entry);
    // The entry of a source of items (its rows and texts).
    static QString entryOf(const SelectionItems &items, qint64 source);

    std::shared_ptr<const LogRows> m_rows;
    std::vector<qint64> m_sources;
    QStringList m_texts;
    QList<qsizetype> m_logRows;
};

} // namespace orvel
