#include "LongList.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

namespace orvel {

LongList::LongList(QWidget *parent)
    : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setAutoFillBackground(true);
    fitRowsToFont();
}

void LongList::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::modelReset, this, &LongList::fitColumnToText);
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first) {
        if (first == 0)
            fitColumnToText();
    });
    fitColumnToText();
}

QModelIndex LongList::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and the last row, as in a list.
    if (model() && model()->rowCount() > 0) {
        if (cursorAction == MoveHome)
            return model()->index(0, 0);
        if (cursorAction == MoveEnd)
            return model()->index(model()->rowCount() - 1, 0);
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void LongList::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitRowsToFont();
        fitColumnToText();
    }
}

void LongList::fitRowsToFont()
{
    QHeaderView *rows = verticalHeader();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 2);
}

void LongList::fitColumnToText()
{
    int width = 0;
    if (model() && model()->rowCount() > 0) {
        const QString text = model()->index(0, 0).data().toString();
        const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
        width = fontMetrics().horizontalAdvance(text) + 2 * margin;
    }
    horizontalHeader()->setMinimumSectionSize(width);
}

} // namespace orvel
