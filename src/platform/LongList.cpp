#include "LongList.h"

#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>
#include <QStyledItemDelegate>

namespace orvel {

namespace {

// The room between the list's edge and a row's text, as the item views leave it.
int textMargin(const QWidget *view)
{
    const QStyle *style = view ? view->style() : nullptr;
    return (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 0) + 1;
}

} // namespace

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
        const QPalette::ColorGroup group =
            !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (option.state & QStyle::State_Active) ? QPalette::Active
                                                    : QPalette::Inactive;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const int margin = textMargin(option.widget);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (m_font != option.font || m_laidOut.size() > kLaidOutTexts) {
            m_laidOut.clear();
            m_font = option.font;
        }
        const QRect place = option.rect.adjusted(margin, 0, -margin, 0);
        const int top = place.top() + (place.height() - QFontMetrics(option.font).height()) / 2;
        painter->setClipRect(place, Qt::IntersectClip);
        // The lead (a row's number) apart from the rest: rows renumbered after an insertion or
        // a deletion keep their laid-out text.
        qreal left = place.left();
        if (leadColumns > 0 && text.size() > leadColumns) {
            const LaidOut &lead = laidOut(text.left(leadColumns), option.font);
            painter->drawStaticText(QPointF(left, top), lead.text);
            left += lead.advance;
        }
        const QString rest =
            leadColumns > 0 && text.size() > leadColumns ? text.mid(leadColumns) : text;
        painter->drawStaticText(QPointF(left, top), laidOut(rest, option.font).text);
        painter->restore();
    }

    int leadColumns = 0;

private:
    struct LaidOut {
        QStaticText text;
        qreal advance = 0;
    };

    const LaidOut &laidOut(const QString &text, const QFont &font) const
    {
        auto found = m_laidOut.find(text);
        if (found == m_laidOut.end()) {
            LaidOut entry{QStaticText(text), QFontMetricsF(font).horizontalAdvance(text)};
            entry.text.setTextFormat(Qt::PlainText);
            entry.text.prepare(QTransform(), font);
            found = m_laidOut.insert(text, entry);
        }
        return *found;
    }

    // The texts of a few screens of rows.
    static constexpr qsizetype kLaidOutTexts = 800;
    mutable QHash<QString, LaidOut> m_laidOut;
    mutable QFont m_font;
};

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
    m_rows = new PlainRowDelegate(this);
    setItemDelegate(m_rows);
    fitRowsToFont();
}

void LongList::setLeadColumns(int columns)
{
    m_rows->leadColumns = columns;
    viewport()->update();
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

QList<QWidget *> LongList::shownBarHolders() const
{
    // Each scroll bar sits in a holder of its own beside the rows.
    QList<QWidget *> holders;
    for (const QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()}) {
        QWidget *holder = bar ? bar->parentWidget() : nullptr;
        if (holder && holder != this && holder != viewport() && holder->isVisible())
            holders.append(holder);
    }
    return holders;
}

template <typename Work> void LongList::keepingBarsStill(Work work)
{
    // A table lays its scroll bars out again on every change of rows (and once more when a bar's
    // range changed), and raising each over the other repaints both whole though neither moved.
    // While the list keeps its size, a bar that was shown is kept from repainting for the raise
    // alone: a bar still repaints itself when its range or value changes, and one that moved or
    // went is repainted below.
    struct Bar {
        QWidget *holder;
        QRect place;
    };
    QList<Bar> bars;
    for (QWidget *holder : shownBarHolders()) {
        if (size() != m_laidOutSize || holder->testAttribute(Qt::WA_UpdatesDisabled))
            continue;
        bars.append({holder, holder->geometry()});
        holder->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    work();
    m_laidOutSize = size();
    for (const Bar &bar : bars) {
        bar.holder->setAttribute(Qt::WA_UpdatesDisabled, false);
        if (bar.holder->geometry() != bar.place || !bar.holder->isVisible())
            update();
    }
}

void LongList::updateGeometries()
{
    keepingBarsStill([this] { QTableView::updateGeometries(); });
}

bool LongList::event(QEvent *event)
{
    // The scroll bars are laid out again through a queued call when a range changes.
    if (event->type() != QEvent::MetaCall)
        return QTableView::event(event);
    bool handled = false;
    keepingBarsStill([&] { handled = QTableView::event(event); });
    return handled;
}

void LongList::focusInEvent(QFocusEvent *event)
{
    repaintingFrameAndRows(true, [&] { QTableView::focusInEvent(event); });
}

void LongList::focusOutEvent(QFocusEvent *event)
{
    // The rows look the same without the focus when the selection keeps its colours.
    const QPalette &colours = palette();
    const bool rowsChange = colours.brush(QPalette::Active, QPalette::Highlight) !=
                                colours.brush(QPalette::Inactive, QPalette::Highlight) ||
                            colours.brush(QPalette::Active, QPalette::HighlightedText) !=
                                colours.brush(QPalette::Inactive, QPalette::HighlightedText);
    repaintingFrameAndRows(rowsChange, [&] { QTableView::focusOutEvent(event); });
}

template <typename Work> void LongList::repaintingFrameAndRows(bool rowsChange, Work work)
{
    // A change of focus repaints the whole widget, scroll bars included, when only the frame
    // and the colours of the selected row may change.
    const bool quiet = testAttribute(Qt::WA_UpdatesDisabled);
    const bool rowsQuiet = viewport()->testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    if (!rowsChange)
        viewport()->setAttribute(Qt::WA_UpdatesDisabled, true);
    work();
    viewport()->setAttribute(Qt::WA_UpdatesDisabled, rowsQuiet);
    setAttribute(Qt::WA_UpdatesDisabled, quiet);
    QRegion frame(rect());
    frame -= viewport()->geometry();
    for (const QWidget *holder : shownBarHolders())
        frame -= holder->geometry();
    update(frame);
    if (rowsChange)
        viewport()->update();
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
        width = fontMetrics().horizontalAdvance(text) + 2 * textMargin(this);
    }
    horizontalHeader()->setMinimumSectionSize(width);
}

} // namespace orvel
