#include "LongList.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace orvel {

namespace {

// A row drawn as one run of plain text in the list's font, its selection as the style colours
// it: a log line is never elided nor laid out as rich text, and drawing it so costs a fraction
// of the general item painting (the list repaints all its visible rows after each change).
class PlainRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled)
                                               ? QPalette::Disabled
                                           : (option.state & QStyle::State_Active)
                                               ? QPalette::Active
                                               : QPalette::Inactive;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QWidget *view = option.widget;
        const QStyle *style = view ? view->style() : nullptr;
        const int margin =
            (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 0) + 1;
        painter->drawText(option.rect.adjusted(margin, 0, -margin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

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
    setItemDelegate(new PlainRowDelegate(this));
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
    rows->setDefaultSectionSize(fontMetrics().height());
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
