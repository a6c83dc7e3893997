#include "LongList.h"

#include <QCache>
#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>
#include <vector>

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
//
// The rows of the last screens are kept drawn, each on its own background: a row that comes
// back (the rows move by one when a QSO is added, inserted or deleted) is copied instead of
// drawn glyph by glyph again. Its lead (the row's number) is drawn apart, over the copy.
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
        const QColor ink =
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        painter->setPen(ink);
        const int margin = textMargin(option.widget);
        const QString text = index.data(Qt::DisplayRole).toString();
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        if (m_font != option.font || m_scale != scale) {
            m_laidOut.clear();
            m_drawn.clear();
            m_font = option.font;
            m_scale = scale;
        } else if (m_laidOut.size() > kLaidOutTexts) {
            m_laidOut.clear();
        }
        const QRect place = option.rect.adjusted(margin, 0, -margin, 0);
        const int textTop = (place.height() - QFontMetrics(option.font).height()) / 2;
        painter->setClipRect(place, Qt::IntersectClip);
        const bool hasLead = leadColumns > 0 && text.size() > leadColumns;
        const QString rest = hasLead ? text.mid(leadColumns) : text;
        const QString lead = hasLead ? text.left(leadColumns) : QString();
        const qreal restLeft = place.left() + (hasLead ? laidOut(lead).advance : 0);
        // The rest first, on the row's background: the lead is drawn over its edge.
        const QBrush paper = selected ? option.palette.brush(group, QPalette::Highlight)
                                      : option.palette.brush(group, QPalette::Base);
        const bool plainPaper = paper.style() == Qt::SolidPattern &&
                                !(option.features & QStyleOptionViewItem::Alternate) &&
                                !option.backgroundBrush.style();
        const QPixmap *drawn =
            plainPaper ? drawnRow(rest, ink, paper.color(), place.height(), textTop, restLeft)
                       : nullptr;
        if (drawn)
            painter->drawPixmap(QPointF(std::floor(restLeft) - kEdge, place.top()), *drawn);
        else
            painter->drawStaticText(QPointF(restLeft, place.top() + textTop), laidOut(rest).text);
        // The lead apart from the rest: rows renumbered after an insertion or a deletion keep
        // their drawn text.
        if (hasLead)
            painter->drawStaticText(QPointF(place.left(), place.top() + textTop),
                                    laidOut(lead).text);
        painter->restore();
    }

    int leadColumns = 0;

private:
    struct LaidOut {
        QStaticText text;
        qreal advance = 0;
    };

    // A row's text with its colours and height, the key of its drawing.
    struct RowKey {
        QString text;
        QRgb ink = 0;
        QRgb paper = 0;
        int height = 0;
        int offset = 0; // the text's start past a whole pixel, in 1/64
        bool operator==(const RowKey &) const = default;
        friend size_t qHash(const RowKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.ink, key.paper, key.height, key.offset);
        }
    };

    // The text laid out once in the list's font, as plain text.
    QStaticText prepared(const QString &text) const
    {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), m_font);
        return laid;
    }

    const LaidOut &laidOut(const QString &text) const
    {
        auto found = m_laidOut.find(text);
        if (found == m_laidOut.end())
            found = m_laidOut.insert(
                text, LaidOut{prepared(text), QFontMetricsF(m_font).horizontalAdvance(text)});
        return *found;
    }

    // The text drawn at left (within a pixel) and top on a row of the paper's colour, with room
    // on each side for glyphs that reach past their advance; null when it cannot be kept.
    const QPixmap *drawnRow(const QString &text, const QColor &ink, const QColor &paper,
                            int height, int top, qreal left) const
    {
        const qreal offset = left - std::floor(left);
        RowKey key{text, ink.rgba(), paper.rgba(), height, qRound(offset * 64)};
        if (const QPixmap *found = m_drawn.object(key))
            return found;
        const QFontMetricsF metrics(m_font);
        const int width = int(std::ceil(metrics.horizontalAdvance(text) + offset)) + 2 * kEdge;
        const qint64 bytes = qint64(width) * height * m_scale * m_scale * 4;
        if (width <= 0 || height <= 0 || bytes > kDrawnBytes / 8)
            return nullptr;
        auto *row = new QPixmap(QSize(width, height) * m_scale);
        row->setDevicePixelRatio(m_scale);
        row->fill(paper);
        {
            // Laid out for this drawing only: the drawn row is what is kept.
            QPainter on(row);
            on.setFont(m_font);
            on.setPen(ink);
            on.drawStaticText(QPointF(kEdge + offset, top), prepared(text));
        }
        m_drawn.insert(key, row, qsizetype(bytes / 1024) + 1);
        return m_drawn.object(key);
    }

    // Room left and right of a drawn row's text.
    static constexpr int kEdge = 2;
    // The leads, and the rows drawn without being kept, of a few screens.
    static constexpr qsizetype kLaidOutTexts = 800;
    // The drawn rows of a few screens (most recently drawn kept), in bytes.
    static constexpr qint64 kDrawnBytes = 8 * 1024 * 1024;
    mutable QHash<QString, LaidOut> m_laidOut;
    mutable QCache<RowKey, QPixmap> m_drawn{kDrawnBytes / 1024};
    mutable QFont m_font;
    mutable qreal m_scale = 1.0;
};

namespace {

// What a scroll bar shows: where its handle stands and which of its ends it has reached.
struct BarLook {
    QRect handle;
    bool hasRange = false;
    bool atStart = false;
    bool atEnd = false;
    bool operator==(const BarLook &) const = default;
};

BarLook lookOf(const QScrollBar *bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    const QRect handle =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    // The arrows at an end, and the whole bar when there is nothing to scroll, look disabled.
    return {handle, bar->maximum() > bar->minimum(), bar->value() <= bar->minimum(),
            bar->value() >= bar->maximum()};
}

// A scroll bar that keeps the pictures of its last few looks: when the list goes back to where
// it stood (to its last QSO after a correction further up, say), the bar is copied instead of
// drawn again, which its style does through gradients a few thousand lines long. A bar under
// the mouse or held down is drawn as usual, its parts lit as the mouse moves.
class KeptBar : public QScrollBar
{
public:
    explicit KeptBar(Qt::Orientation orientation)
        : QScrollBar(orientation)
    {
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_held || underMouse() ||
            style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this)) {
            QScrollBar::paintEvent(event);
            return;
        }
        QPainter painter(this);
        const qreal scale = devicePixelRatioF();
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        option.activeSubControls = QStyle::SC_None;
        const Look look{lookOf(this), size(), option.state, option.palette.cacheKey(), scale,
                        style()};
        const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                       [&](const Kept &picture) { return picture.look == look; });
        if (kept != m_kept.end()) {
            std::rotate(m_kept.begin(), kept, kept + 1);
        } else {
            QPixmap picture(size() * scale);
            picture.setDevicePixelRatio(scale);
            picture.fill(Qt::transparent);
            {
                QPainter on(&picture);
                style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &on, this);
            }
            if (m_kept.size() == kKeptLooks)
                m_kept.pop_back();
            m_kept.insert(m_kept.begin(), Kept{look, picture});
        }
        painter.drawPixmap(0, 0, m_kept.front().picture);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_held = true;
        QScrollBar::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QScrollBar::mouseReleaseEvent(event);
        m_held = false;
        update();
    }

    void changeEvent(QEvent *event) override
    {
        // Pictures of another style or palette are not kept.
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
            m_kept.clear();
        QScrollBar::changeEvent(event);
    }

private:
    // All a picture depends on.
    struct Look {
        BarLook bar;
        QSize size;
        QStyle::State state;
        qint64 palette = 0;
        qreal scale = 1;
        const QStyle *style = nullptr;
        bool operator==(const Look &) const = default;
    };
    struct Kept {
        Look look;
        QPixmap picture;
    };
    static constexpr size_t kKeptLooks = 6;
    std::vector<Kept> m_kept;
    bool m_held = false;
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
    setHorizontalScrollBar(new KeptBar(Qt::Horizontal));
    setVerticalScrollBar(new KeptBar(Qt::Vertical));
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

QList<QScrollBar *> LongList::shownBars() const
{
    // Each scroll bar sits in a holder of its own beside the rows.
    QList<QScrollBar *> bars;
    for (QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()}) {
        const QWidget *holder = bar ? bar->parentWidget() : nullptr;
        if (holder && holder != this && holder != viewport() && holder->isVisible())
            bars.append(bar);
    }
    return bars;
}

template <typename Work> void LongList::keepingBarsStill(Work work)
{
    // A table lays its scroll bars out again on every change of rows (and once more when a bar's
    // range changed), and raising each over the other repaints both whole though neither moved.
    // A bar's range changes too with each row, though a handle over thousands of rows moves by
    // less than a pixel. While the list keeps its size, a bar that was shown is kept from
    // repainting for these alone: it repaints when its handle moves or it reaches or leaves an
    // end, and a bar that moved or went is repainted with the list below.
    struct Bar {
        QScrollBar *bar;
        QWidget *holder;
        QRect place;
        BarLook look;
    };
    QList<Bar> bars;
    for (QScrollBar *bar : shownBars()) {
        QWidget *holder = bar->parentWidget();
        if (size() != m_laidOutSize || holder->testAttribute(Qt::WA_UpdatesDisabled) ||
            bar->testAttribute(Qt::WA_UpdatesDisabled) ||
            bar->style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, bar))
            continue;
        bars.append({bar, holder, holder->geometry(), lookOf(bar)});
        holder->setAttribute(Qt::WA_UpdatesDisabled, true);
        bar->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    work();
    m_laidOutSize = size();
    for (const Bar &bar : bars) {
        bar.bar->setAttribute(Qt::WA_UpdatesDisabled, false);
        bar.holder->setAttribute(Qt::WA_UpdatesDisabled, false);
        if (bar.holder->geometry() != bar.place || !bar.holder->isVisible())
            update();
        else if (lookOf(bar.bar) != bar.look)
            bar.bar->update();
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
    for (const QScrollBar *bar : shownBars())
        frame -= bar->parentWidget()->geometry();
    update(frame);
    if (rowsChange)
        viewport()->update();
}

void LongList::resizeEvent(QResizeEvent *event)
{
    // The row in view stays in view when the list gets shorter: the last QSO, after the window
    // was fitted to a small screen.
    const QModelIndex current = currentIndex();
    const bool shown =
        current.isValid() && viewport()->rect().intersects(visualRect(current));
    QTableView::resizeEvent(event);
    if (shown)
        scrollTo(current);
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
