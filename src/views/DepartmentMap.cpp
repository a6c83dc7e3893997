#include "DepartmentMap.h"

#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <algorithm>

namespace orvel {

namespace {

const QColor kLand(0xEE, 0xEB, 0xE2);
const QColor kBorder(0x6E, 0x6E, 0x6E);
const QColor kSea(0xF4, 0xF8, 0xFC);
constexpr double kBorderWidth = 0.45; // map units
constexpr int kMargin = 6;            // pixels around the map
// The smallest scale at which every label still fits on its département.
constexpr double kSmallestScale = 1.0;

// The map's SVG with its colours: the file gives outlines only.
QByteArray styledSvg(const QByteArray &svg, double borderWidth)
{
    QByteArray styled = svg;
    const qsizetype open = styled.indexOf("<svg");
    const qsizetype openEnd = open < 0 ? -1 : styled.indexOf('>', open);
    const qsizetype close = styled.lastIndexOf("</svg>");
    if (openEnd < 0 || close < openEnd)
        return svg;
    styled.insert(close, "</g>");
    styled.insert(openEnd + 1, QStringLiteral("<g fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\" "
                                              "stroke-linejoin=\"round\">")
                                   .arg(kLand.name(), kBorder.name())
                                   .arg(borderWidth)
                                   .toUtf8());
    return styled;
}

QPainterPath pathOf(const MapRings &rings)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const MapRing &ring : rings) {
        path.moveTo(ring.first());
        for (qsizetype i = 1; i < ring.size(); ++i)
            path.lineTo(ring.at(i));
        path.closeSubpath();
    }
    return path;
}

bool isHiddenLabel(int index)
{
    return index == 0 || index == 20 || index == 98 || index == 99;
}

} // namespace

DepartmentMap::DepartmentMap(const FranceMap &map, QWidget *parent)
    : QWidget(parent)
    , m_map(map)
{
    setObjectName(QStringLiteral("Picture1"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The inset's borders keep the width of the map's, however much it enlarges.
    const QByteArray svg = FranceMap::builtInSvg();
    m_renderer = new QSvgRenderer(styledSvg(svg, kBorderWidth), this);
    m_insetRenderer = new QSvgRenderer(styledSvg(svg, kBorderWidth / map.insetScale()), this);
    m_insetRenderer->setViewBox(map.insetSource());

    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(7.5);
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(QStringLiteral("00")) + 6, metrics.height() + 1);
    for (int index = 0; index < kDepartmentLabels; ++index) {
        QLabel *label =
            namedLabel(this, QStringLiteral("Dep_%1").arg(index), departmentLabelText(index));
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedSize(size);
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Window);
        // Labels without a département on the map take part in the tally, unseen.
        label->setVisible(!isHiddenLabel(index) && map.department(index));
        m_labels.append(label);
    }
}

QLabel *DepartmentMap::label(int index) const
{
    return index >= 0 && index < m_labels.size() ? m_labels.at(index) : nullptr;
}

void DepartmentMap::setMarks(const DepartmentMarks &marks)
{
    m_marks = marks;
    for (int index = 0; index < kDepartmentLabels; ++index) {
        QLabel *label = m_labels.at(index);
        paintBackground(label, marks.test(static_cast<size_t>(index))
                                   ? kContactedGreen
                                   : palette().color(QPalette::Window));
    }
    update();
}

QTransform DepartmentMap::mapTransform() const
{
    const QRectF box = m_map.viewBox();
    if (box.isEmpty())
        return {};
    const double scale = std::min((width() - 2.0 * kMargin) / box.width(),
                                  (height() - 2.0 * kMargin) / box.height());
    const double left = (width() - box.width() * scale) / 2;
    const double top = (height() - box.height() * scale) / 2;
    return QTransform::fromTranslate(left, top)
        .scale(scale, scale)
        .translate(-box.left(), -box.top());
}

QTransform DepartmentMap::insetTransform() const
{
    // Map units to the inset's place on the map, then to the widget.
    const QRectF source = m_map.insetSource();
    const QRectF frame = m_map.insetFrame();
    const double scale = m_map.insetScale();
    const QTransform toFrame = QTransform::fromTranslate(frame.left(), frame.top())
                                   .scale(scale, scale)
                                   .translate(-source.left(), -source.top());
    return toFrame * mapTransform();
}

QSize DepartmentMap::sizeHint() const
{
    return (m_map.viewBox().size() * 1.35).toSize() + QSize(2 * kMargin, 2 * kMargin);
}

QSize DepartmentMap::minimumSizeHint() const
{
    return (m_map.viewBox().size() * kSmallestScale).toSize() + QSize(2 * kMargin, 2 * kMargin);
}

void DepartmentMap::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeLabels();
}

void DepartmentMap::placeLabels()
{
    const QTransform transform = mapTransform();
    for (const MapDepartment &department : m_map.departments()) {
        QLabel *label = m_labels.at(department.index);
        QRect place(QPoint(), label->size());
        place.moveCenter(transform.map(department.label).toPoint());
        label->move(place.topLeft());
    }
    // The unseen labels wait in the bottom-left corner, off the mainland.
    const QPoint corner = transform.map(m_map.viewBox().bottomLeft()).toPoint();
    for (const int index : {0, 20, 98, 99})
        m_labels.at(index)->move(corner - QPoint(0, m_labels.at(index)->height()));
}

void DepartmentMap::paintMarks(QPainter &painter, const QTransform &transform,
                               double borderWidth) const
{
    painter.save();
    painter.setTransform(transform, true);
    painter.setPen(QPen(kBorder, borderWidth));
    painter.setBrush(kContactedGreen);
    for (const MapDepartment &department : m_map.departments())
        if (m_marks.test(static_cast<size_t>(department.index)))
            painter.drawPath(pathOf(department.rings));
    painter.restore();
}

void DepartmentMap::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kSea);
    const QTransform transform = mapTransform();
    m_renderer->render(&painter, transform.mapRect(m_map.viewBox()));
    paintMarks(painter, transform, kBorderWidth);

    // The part of the map the inset enlarges, outlined where it lies.
    painter.setPen(QPen(kBorder, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(transform.mapRect(m_map.insetSource()));

    // The renderer draws the whole map around its view box: the frame cuts it out.
    const QRectF frame = transform.mapRect(m_map.insetFrame());
    painter.save();
    painter.setClipRect(frame);
    painter.fillRect(frame, kSea);
    m_insetRenderer->render(&painter, frame);
    paintMarks(painter, insetTransform(), kBorderWidth / m_map.insetScale());
    painter.restore();
    painter.setPen(QPen(kBorder, 1));
    painter.drawRect(frame);
}

} // namespace orvel
