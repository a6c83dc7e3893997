#include "ListingView.h"

#include "platform/Fonts.h"
#include "platform/FormWidgets.h"

#include <QFontMetrics>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>

namespace orvel {

namespace {
constexpr qreal kListingPoints = 9;
}

int listingWidth(const QWidget *widget, int columns)
{
    return QFontMetrics(terminalFont(kListingPoints), widget)
        .horizontalAdvance(QString(columns, QLatin1Char('0')));
}

QListView *listingView(QWidget *parent, const QString &name, QStringListModel *model, int columns)
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
