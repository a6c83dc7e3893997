#include "ListingView.h"

#include "Listings.h"
#include "common/Windows1252.h"
#include "records/LogListModel.h"
#include "widgets/ColumnHeading.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>

namespace orvel {

namespace {
constexpr qreal kListingPoints = 9;
}

void OrderedLogModel::showOrdered(LogRows rows, QList<qsizetype> order)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order = std::move(order);
    endResetModel();
}

void OrderedLogModel::appendRow(LogRows rows, qsizetype listRow)
{
    const qsizetype added = rows.size() - 1;
    m_rows = std::move(rows);
    if (listRow < 0 || added < 0)
        return;
    beginInsertRows({}, int(listRow), int(listRow));
    m_order.insert(listRow, added);
    endInsertRows();
}

int OrderedLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

QVariant OrderedLogModel::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid() ||
        index.row() >= m_order.size())
        return {};
    const qsizetype row = m_order.at(index.row());
    if (row < 0 || row >= m_rows.size())
        return {};
    return logListEntry(index.row() + 1, decodeWindows1252(m_rows.rowBytes(row)));
}

QVariant NumberedLogProxy::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return QIdentityProxyModel::data(index, role);
    if (!index.isValid())
        return {};
    return logListEntry(index.row() + 1,
                        QIdentityProxyModel::data(index, LogListModel::LineRole).toString());
}

QWidget *listingHeading(QWidget *parent, QListView *list, QLabel *&label)
{
    auto *heading = new ColumnHeading(list, parent);
    label = namedLabel(heading, QStringLiteral("Label2"), headingLine(listColumnTitles()));
    label->setAccessibleName(listColumnHeader());
    heading->addLabel(label, 1);
    return heading;
}

int listingWidth(const QWidget *widget, int columns)
{
    return QFontMetrics(terminalFont(kListingPoints), widget)
        .horizontalAdvance(QString(columns, QLatin1Char('0')));
}

QListView *listingView(QWidget *parent, const QString &name, QAbstractItemModel *model, int columns)
{
    auto *view = named(new QListView(parent), name);
    view->setFont(terminalFont(kListingPoints));
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setModel(model);
    view->setMinimumWidth(listingWidth(view, columns) + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width() + 8);
    return view;
}

} // namespace orvel
