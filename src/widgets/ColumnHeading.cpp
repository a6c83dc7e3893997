#include "ColumnHeading.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>

namespace orvel {

ColumnHeading::ColumnHeading(QAbstractItemView *list, QWidget *parent)
    : QWidget(parent)
    , m_list(list)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(QFontMetrics(list->font()).height() + 2);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &ColumnHeading::placeLabels);
    connect(list->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            &ColumnHeading::placeLabels);
    if (QAbstractItemModel *model = list->model()) {
        connect(model, &QAbstractItemModel::modelReset, this, &ColumnHeading::placeLabels);
        connect(model, &QAbstractItemModel::rowsInserted, this, &ColumnHeading::placeLabels);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ColumnHeading::placeLabels);
    }
}

void ColumnHeading::addLabel(QLabel *label, int start)
{
    label->setParent(this);
    label->setFont(m_list->font());
    label->setTextFormat(Qt::PlainText);
    label->setIndent(0);
    label->setMargin(0);
    label->setContentsMargins(0, 0, 0, 0);
    m_labels.append({label, start});
    placeLabels();
}

int ColumnHeading::columnLeft(int column) const
{
    // The rows' text starts past the list's frame, the row's own place (moved by a sideways
    // scroll) and the margin an item view leaves before the text.
    const QWidget *viewport = m_list->viewport();
    int left = viewport->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
    const QAbstractItemModel *model = m_list->model();
    if (model && model->rowCount() > 0)
        left += m_list->visualRect(model->index(0, 0)).left();
    else
        left -= m_list->horizontalScrollBar()->value();
    left += m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    const QFontMetrics metrics(m_list->font());
    return left + metrics.horizontalAdvance(QString(column - 1, QLatin1Char('0')));
}

bool ColumnHeading::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
        event->type() == QEvent::Show || event->type() == QEvent::FontChange) {
        if (event->type() == QEvent::FontChange && watched == m_list) {
            setFixedHeight(QFontMetrics(m_list->font()).height() + 2);
            for (const Placed &placed : std::as_const(m_labels))
                if (placed.label)
                    placed.label->setFont(m_list->font());
        }
        placeLabels();
    }
    return QWidget::eventFilter(watched, event);
}

void ColumnHeading::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeLabels();
}

void ColumnHeading::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    placeLabels();
}

void ColumnHeading::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    placeLabels();
}

void ColumnHeading::placeLabels()
{
    for (const Placed &placed : std::as_const(m_labels)) {
        if (!placed.label)
            continue;
        placed.label->adjustSize();
        placed.label->move(columnLeft(placed.start), (height() - placed.label->height()) / 2);
    }
}

} // namespace orvel
