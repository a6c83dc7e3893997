// The base of the list models that show a whole log (a million rows): a list view lays its
// rows out by asking for the index of each one, and QAbstractListModel::index checks the row
// and the column through two virtual calls for every row. Here the row is checked once.
#pragma once

#include <QAbstractListModel>

namespace orvel {

class LongListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    QModelIndex index(int row, int column = 0, const QModelIndex &parent = {}) const final
    {
        if (column != 0 || row < 0 || parent.isValid() || row >= rowCount())
            return {};
        return createIndex(row, 0);
    }
};

} // namespace orvel
