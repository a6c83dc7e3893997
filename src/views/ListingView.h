// The fixed-pitch lists of the log views: a view on a model that makes its entries when they
// are shown, so that a list holding a whole log stays quick to fill and to scroll.
#pragma once

#include "common/LongListModel.h"
#include "records/CurrentLog.h"

#include <QIdentityProxyModel>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QListView;
class QWidget;

namespace orvel {

// The lines of the log in an order of their own (the alphanumeric log's), numbered from 1 in
// that order. It holds the log's rows as they stood when the order was made, and row numbers:
// an entry is made from the stored bytes when the view asks for it, so that a list of
// 1,000,000 QSOs costs no text per line, and what it shows stays whole while a new order is
// being made beside the window.
class OrderedLogModel : public LongListModel
{
    Q_OBJECT
public:
    using LongListModel::LongListModel;

    // rows at order's indexes, in that order.
    void showOrdered(LogRows rows, QList<qsizetype> order);
    // The log grew by its last row (rows, as they stand now), shown at listRow of the order
    // (not shown when listRow is -1).
    void appendRow(LogRows rows, qsizetype listRow);
    // The number of log rows the order was made on.
    qsizetype logRows() const { return m_rows.size(); }
    const QList<qsizetype> &order() const { return m_order; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    LogRows m_rows;
    QList<qsizetype> m_order;
};

// The session's model of the current log shown as the log window numbers it: every change of
// the log reaches the view through the session's own notifications, and no line is copied.
class NumberedLogProxy : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

// A read-only list named name, in the fixed-pitch "Terminal" font (or the nearest fixed-pitch
// font), wide enough for columns characters, showing model.
QListView *listingView(QWidget *parent, const QString &name, QAbstractItemModel *model,
                       int columns);

// The heading over a list of logListEntry() entries: label, named Label2, shows each title over
// its column and is read out as the program's column header.
QWidget *listingHeading(QWidget *parent, QListView *list, QLabel *&label);

// The width of columns characters of the listing font.
int listingWidth(const QWidget *widget, int columns);

} // namespace orvel
