// The fixed-pitch lists of the log views: a view on a string model, so that a list holding a
// whole log stays quick to fill and to scroll.
#pragma once

#include <QAbstractListModel>
#include <QIdentityProxyModel>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QListView;
class QWidget;

namespace orvel {

// The numbered QSO lines of a listing window. An entry is made when the view asks for it, so
// that a list of 100,000 QSOs opens without building 100,000 texts.
class ListingModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Every line in log order.
    void showLog(const QStringList &lines);
    // The lines at order's indexes, in that order.
    void showOrdered(const QStringList &lines, QList<qsizetype> order);
    // One line more at the end of a log shown in log order.
    void appendLine(const QString &line);
    // One line more at the end of the lines of an ordered list, shown at row (not shown when row
    // is -1).
    void appendOrderedLine(const QString &line, qsizetype row);
    const QStringList &lines() const { return m_lines; }
    const QList<qsizetype> &order() const { return m_order; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_lines;
    QList<qsizetype> m_order; // empty: log order
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
