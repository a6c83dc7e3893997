// One of the two sorted lists of the label selection: selection entries kept in the lists'
// order, shown by a list view. Each entry may carry the row of the log it was made from
// (-1 when it has none), so that the list follows the log's rows as QSOs are inserted or
// removed.
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

namespace orvel {

// An entry and the log row it was made from.
struct SelectionItem {
    QString entry;
    qsizetype logRow = -1;
};

class SelectionModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit SelectionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &entries() const { return m_entries; }
    // The log row of each entry, in the same order.
    const QList<qsizetype> &logRows() const { return m_logRows; }
    // Adds an entry at its sorted place (after the entries equal to it); returns its row.
    int insertSorted(const QString &entry, qsizetype logRow = -1);
    // Adds entries already sorted among themselves, each at its sorted place; logRows, when
    // given, holds each entry's log row.
    void mergeSorted(const QStringList &sorted, const QList<qsizetype> &logRows = {});
    // Puts sorted entries in the place of every entry, in one reset of the views.
    void resetSorted(QStringList sorted, QList<qsizetype> logRows = {});
    // Removes the entry at row and returns it; an empty entry when there is none.
    SelectionItem take(int row);
    // Removes every entry and returns them in order, with their log rows.
    QStringList takeAll(QList<qsizetype> *logRows = nullptr);

    // The log had count rows inserted before its row first: the rows of the entries move.
    void followInserted(qsizetype first, qsizetype count);
    // The log's rows first to last were removed: their entries go, the others' rows move.
    void followRemoved(qsizetype first, qsizetype last);

private:
    QStringList m_entries;
    QList<qsizetype> m_logRows;
};

} // namespace orvel
