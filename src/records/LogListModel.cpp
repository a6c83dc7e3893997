#include "LogListModel.h"

#include "CurrentLog.h"
#include "QsoLine.h"

namespace orvel {

LogListModel::LogListModel(const CurrentLog &log, QObject *parent)
    : LongListModel(parent)
    , m_log(log)
{
}

int LogListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_log.size());
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_log.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return listEntry(index.row() + 1, m_log.line(index.row()));
    case LineRole:
        return m_log.line(index.row());
    default:
        return {};
    }
}

void LogListModel::beginAppend()
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
}

void LogListModel::beginInsert(qsizetype row)
{
    beginInsertRows({}, int(row), int(row));
}

void LogListModel::endInsert(qsizetype row)
{
    endInsertRows();
    renumberFrom(row + 1);
}

void LogListModel::beginRemove(qsizetype row)
{
    beginRemoveRows({}, int(row), int(row));
}

void LogListModel::endRemove(qsizetype row)
{
    endRemoveRows();
    renumberFrom(row);
}

void LogListModel::changed(qsizetype first, qsizetype last)
{
    emit dataChanged(index(int(first)), index(int(last)));
}

void LogListModel::renumberFrom(qsizetype row)
{
    // Only the numbers changed: followers of the lines were told of the change already.
    if (row < rowCount())
        emit dataChanged(index(int(row)), index(rowCount() - 1),
                         {Qt::DisplayRole, Qt::AccessibleTextRole});
}

void followLog(const QAbstractItemModel &model, const QObject *context,
               std::function<void(int first, int last)> appended, std::function<void()> changed)
{
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, context,
                     [&model, appended, changed](const QModelIndex &, int first, int last) {
                         if (last == model.rowCount() - 1)
                             appended(first, last);
                         else
                             changed();
                     });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, context, [changed] { changed(); });
    QObject::connect(&model, &QAbstractItemModel::modelReset, context, [changed] { changed(); });
    // The rows after an inserted or removed one are renumbered (their lines stay): the change
    // was told already.
    QObject::connect(&model, &QAbstractItemModel::dataChanged, context,
                     [changed](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                         if (roles.isEmpty() || roles.contains(LogListModel::LineRole))
                             changed();
                     });
}

void followLogLines(const QAbstractItemModel &model, const QObject *context,
                    std::function<void(const QString &line)> appended,
                    std::function<void()> changed)
{
    followLog(
        model, context,
        [&model, appended](int first, int last) {
            for (int row = first; row <= last; ++row)
                appended(model.index(row, 0).data(LogListModel::LineRole).toString());
        },
        std::move(changed));
}

} // namespace orvel
