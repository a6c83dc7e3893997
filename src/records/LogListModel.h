// The current log as a list model, the one model through which the session announces every
// change of the log: one row per QSO line, shown as its list entry (the number right-aligned in
// four columns, two blanks, the line). The rows are the current log's own lines, not a second
// copy. Only the session changes it, with exact begin/end notifications; every list of the log
// is a view or a follower of it.
#pragma once

#include "common/LongListModel.h"

#include <functional>

namespace orvel {

class CurrentLog;

class LogListModel : public LongListModel
{
    Q_OBJECT
public:
    enum Role {
        // The QSO line as stored, without its number.
        LineRole = Qt::UserRole + 1,
    };

    explicit LogListModel(const CurrentLog &log, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    friend class Session;
    // The session brackets each change of the log with these.
    void beginAppend();
    void endAppend() { endInsertRows(); }
    void beginInsert(qsizetype row);
    void endInsert(qsizetype row);
    void beginRemove(qsizetype row);
    void endRemove(qsizetype row);
    // The lines of rows first to last (some of them) changed.
    void changed(qsizetype first, qsizetype last);
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    // The numbers from row on changed: their rows are shown again.
    void renumberFrom(qsizetype row);

    const CurrentLog &m_log;
};

// How a window follows the log: appended(first, last) for rows added at the end, any other
// change (a row changed, inserted or removed, the log read again) calls changed(). Connected
// for context's life.
void followLog(const QAbstractItemModel &model, const QObject *context,
               std::function<void(int first, int last)> appended, std::function<void()> changed);
// The same, with each line appended given as stored.
void followLogLines(const QAbstractItemModel &model, const QObject *context,
                    std::function<void(const QString &line)> appended,
                    std::function<void()> changed);

} // namespace orvel
