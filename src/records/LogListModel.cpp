#include "LogListModel.h"

#include "Session.h"

namespace orvel {

LogListModel::LogListModel(const Session &session, QObject *parent)
    : QAbstractListModel(parent)
    , m_session(session)
    , m_rows(int(session.currentLog().size()))
{
    connect(&session, &Session::qsoAppended, this, &LogListModel::onAppended);
    connect(&session, &Session::qsoChanged, this, &LogListModel::onChanged);
    connect(&session, &Session::qsoInserted, this, &LogListModel::onInserted);
    connect(&session, &Session::qsoRemoved, this, &LogListModel::onRemoved);
    connect(&session, &Session::logRewritten, this, &LogListModel::onRewritten);
}

int LogListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows)
        return {};
    const CurrentLog &log = m_session.currentLog();
    if (index.row() >= log.size())
        return {};
    return listEntry(index.row() + 1, log.line(index.row()));
}

void LogListModel::onAppended()
{
    beginInsertRows({}, m_rows, m_rows);
    ++m_rows;
    endInsertRows();
}

void LogListModel::onChanged(qsizetype row)
{
    emit dataChanged(index(int(row)), index(int(row)));
}

void LogListModel::onInserted(qsizetype row)
{
    beginInsertRows({}, int(row), int(row));
    ++m_rows;
    endInsertRows();
    renumberFrom(row + 1);
}

void LogListModel::onRemoved(qsizetype row)
{
    beginRemoveRows({}, int(row), int(row));
    --m_rows;
    endRemoveRows();
    renumberFrom(row);
}

void LogListModel::renumberFrom(qsizetype row)
{
    if (row < m_rows)
        emit dataChanged(index(int(row)), index(m_rows - 1));
}

void LogListModel::onRewritten()
{
    beginResetModel();
    m_rows = int(m_session.currentLog().size());
    endResetModel();
}

} // namespace orvel
