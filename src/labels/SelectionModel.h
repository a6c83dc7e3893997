// One of the two sorted lists of the label selection: selection entries kept in the lists'
// order, shown by a list view.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace orvel {

class SelectionModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit SelectionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &entries() const { return m_entries; }
    // Adds an entry at its sorted place (after the entries equal to it); returns its row.
    int insertSorted(const QString &entry);
    // Adds entries already sorted among themselves, each at its sorted place.
    void mergeSorted(const QStringList &sorted);
    // Puts sorted entries in the place of every entry, in one reset of the views.
    void resetSorted(QStringList sorted);
    // Removes the entry at row and returns it.
    QString take(int row);
    // Removes every entry and returns them in order.
    QStringList takeAll();

private:
    QStringList m_entries;
};

} // namespace orvel
