#include "ListingView.h"

#include "Listings.h"
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

void ListingModel::showLog(const QStringList &lines)
{
    beginResetModel();
    m_lines = lines;
    m_order.clear();
    endResetModel();
}

void ListingModel::showOrdered(const QStringList &lines, QList<qsizetype> order)
{
    beginResetModel();
    m_lines = lines;
    m_order = std::move(order);
    endResetModel();
}

void ListingModel::appendLine(const QString &line)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_lines.append(line);
    endInsertRows();
}

void ListingModel::appendOrderedLine(const QString &line, qsizetype row)
{
    m_lines.append(line);
    if (row < 0)
        return;
    beginInsertRows({}, int(row), int(row));
    m_order.insert(row, m_lines.size() - 1);
    endInsertRows();
}

int ListingModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_order.isEmpty() ? m_lines.size() : m_order.size());
}

QVariant ListingModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const qsizetype line = m_order.isEmpty() ? index.row() : m_order.at(index.row());
    return logListEntry(index.row() + 1, m_lines.at(line));
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
