// The current log as a list model: one row per QSO line, shown as its list entry (the number
// right-aligned in four columns, two blanks, the line). The rows are the session's own lines,
// not a second copy, and follow the session's signals row by row.
#pragma once

#include <QAbstractListModel>

namespace orvel {

class Session;

class LogListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LogListModel(const Session &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    void onAppended();
    void onChanged(qsizetype row);
    void onInserted(qsizetype row);
    void onRemoved(qsizetype row);
    void onRewritten();
    // The numbers from row on changed: their rows are shown again.
    void renumberFrom(qsizetype row);

    const Session &m_session;
    int m_rows = 0;
};

} // namespace orvel
