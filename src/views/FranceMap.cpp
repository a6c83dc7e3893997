#include "FranceMap.h"

#include "DepartmentTally.h"
#include "Diagnostics.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace orvel {

namespace {

// The inset: a sea corner of the map, off Brittany and the Channel coast.
const QRectF kInsetFrame(6, 6, 120, 118);
// Room kept around Paris and its neighbours in the inset, in map units.
constexpr double kInsetMargin = 1.5;
constexpr int kExpectedDepartments = 96;

// Reads the numbers and commands of a path's "d" text.
class PathScanner
{
public:
    explicit PathScanner(QStringView text)
        : m_text(text)
    {
    }
    void skipSeparators()
    {
        while (m_at < m_text.size() && (m_text.at(m_at).isSpace() || m_text.at(m_at) == u','))
            ++m_at;
    }
    bool atEnd()
    {
        skipSeparators();
        return m_at >= m_text.size();
    }
    bool atCommand()
    {
        skipSeparators();
        return m_at < m_text.size() && m_text.at(m_at).isLetter() && m_text.at(m_at) != u'e' &&
               m_text.at(m_at) != u'E';
    }
    QChar command() { return m_text.at(m_at++); }
    std::optional<double> number()
    {
        skipSeparators();
        const qsizetype start = m_at;
        auto digits = [this] {
            while (m_at < m_text.size() && m_text.at(m_at).isDigit())
                ++m_at;
        };
        if (m_at < m_text.size() && (m_text.at(m_at) == u'-' || m_text.at(m_at) == u'+'))
            ++m_at;
        digits();
        if (m_at < m_text.size() && m_text.at(m_at) == u'.') {
            ++m_at;
            digits();
        }
        if (m_at < m_text.size() && (m_text.at(m_at) == u'e' || m_text.at(m_at) == u'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text.at(m_at) == u'-' || m_text.at(m_at) == u'+'))
                ++m_at;
            digits();
        }
        bool ok = false;
        const double value = m_text.mid(start, m_at - start).toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return value;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
};

double segmentDistanceSquared(QPointF p, QPointF a, QPointF b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x() + t * dx - p.x();
    const double ey = a.y() + t * dy - p.y();
    return ex * ex + ey * ey;
}

double borderDistanceSquared(const MapRings &rings, QPointF p)
{
    double best = std::numeric_limits<double>::max();
    for (const MapRing &ring : rings)
        for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
            best = std::min(best, segmentDistanceSquared(p, ring.at(j), ring.at(i)));
    return best;
}

QRectF boundsOf(const MapRings &rings)
{
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const MapRing &ring : rings)
        for (const QPointF &p : ring) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    return rings.isEmpty() ? QRectF() : QRectF(QPointF(left, top), QPointF(right, bottom));
}

std::optional<int> indexOfId(const QString &id)
{
    const auto index = departmentIndex(id);
    if (!index || id.size() != 2 || *index < 1 || *index > kCorsicaNorth || *index == 20)
        return std::nullopt;
    return index;
}

} // namespace

MapRings parsePathData(QStringView data, QString *error)
{
    MapRings rings;
    MapRing ring;
    QPointF current;
    QPointF start;
    QChar command;
    PathScanner scanner(data);
    auto fail = [&](const QString &what) {
        if (error)
            *error = what;
        return MapRings();
    };
    auto closeRing = [&] {
        if (ring.size() >= 3)
            rings.append(ring);
        ring.clear();
    };
    while (!scanner.atEnd()) {
        if (scanner.atCommand())
            command = scanner.command();
        else if (command.isNull())
            return fail(QStringLiteral("tracé sans commande"));
        const bool relative = command.isLower();
        const QChar kind = command.toUpper();
        if (kind == u'Z') {
            closeRing();
            current = start;
            command = QChar();
            continue;
        }
        if (kind != u'M' && kind != u'L' && kind != u'H' && kind != u'V')
            return fail(QStringLiteral("commande de tracé non prise en charge : %1").arg(command));
        const auto first = scanner.number();
        if (!first)
            return fail(QStringLiteral("nombre illisible dans le tracé"));
        QPointF next = current;
        if (kind == u'H') {
            next.setX(relative ? current.x() + *first : *first);
        } else if (kind == u'V') {
            next.setY(relative ? current.y() + *first : *first);
        } else {
            const auto second = scanner.number();
            if (!second)
                return fail(QStringLiteral("nombre illisible dans le tracé"));
            next = relative ? current + QPointF(*first, *second) : QPointF(*first, *second);
        }
        if (kind == u'M') {
            closeRing();
            start = next;
            // The pairs after a moveto are linetos of the same kind.
            command = relative ? QChar(u'l') : QChar(u'L');
        }
        ring.append(next);
        current = next;
    }
    closeRing();
    return rings;
}

bool ringsContain(const MapRings &rings, QPointF point)
{
    bool inside = false;
    for (const MapRing &ring : rings) {
        for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const QPointF &a = ring.at(i);
            const QPointF &b = ring.at(j);
            if ((a.y() > point.y()) != (b.y() > point.y()) &&
                point.x() < (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y()) + a.x())
                inside = !inside;
        }
    }
    return inside;
}

QPointF roomiestPoint(const MapRings &rings, const QRectF &bounds)
{
    // A coarse grid over the outline, then finer grids around the best point found.
    QPointF best = bounds.center();
    double bestRoom = ringsContain(rings, best) ? borderDistanceSquared(rings, best) : -1;
    QRectF area = bounds;
    for (const int steps : {28, 8, 8}) {
        const double stepX = area.width() / steps;
        const double stepY = area.height() / steps;
        for (int i = 0; i <= steps; ++i) {
            for (int j = 0; j <= steps; ++j) {
                const QPointF p(area.left() + i * stepX, area.top() + j * stepY);
                if (!ringsContain(rings, p))
                    continue;
                const double room = borderDistanceSquared(rings, p);
                if (room > bestRoom) {
                    bestRoom = room;
                    best = p;
                }
            }
        }
        area = QRectF(best.x() - stepX, best.y() - stepY, 2 * stepX, 2 * stepY);
    }
    return best;
}

FranceMap FranceMap::fromSvg(const QByteArray &svg, QString *error)
{
    FranceMap map;
    auto fail = [&](const QString &what) {
        if (error)
            *error = QStringLiteral("Carte des départements illisible : %1").arg(what);
        return FranceMap();
    };
    QXmlStreamReader xml(svg);
    while (xml.readNextStartElement()) {
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"svg") {
            const QList<QStringView> box =
                attributes.value(QLatin1String("viewBox")).split(u' ', Qt::SkipEmptyParts);
            if (box.size() != 4)
                return fail(QStringLiteral("pas de viewBox"));
            map.m_viewBox = QRectF(box.at(0).toDouble(), box.at(1).toDouble(),
                                   box.at(2).toDouble(), box.at(3).toDouble());
            continue; // into the children
        }
        if (xml.name() == u"path") {
            const QString id = attributes.value(QLatin1String("id")).toString();
            const auto index = indexOfId(id);
            QString pathError;
            MapRings rings = parsePathData(attributes.value(QLatin1String("d")), &pathError);
            if (index && !rings.isEmpty()) {
                const QRectF bounds = boundsOf(rings);
                map.m_departments.append(
                    {id, *index, std::move(rings), bounds, isInsetDepartment(*index), {}});
            } else if (index) {
                return fail(QStringLiteral("%1 (%2)").arg(pathError, id));
            }
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        return fail(xml.errorString());
    if (map.m_departments.size() != kExpectedDepartments)
        return fail(QStringLiteral("%1 départements au lieu de %2")
                        .arg(map.m_departments.size())
                        .arg(kExpectedDepartments));

    QRectF paris;
    for (const MapDepartment &department : std::as_const(map.m_departments))
        if (department.inInset)
            paris = paris.united(department.bounds);
    paris.adjust(-kInsetMargin, -kInsetMargin, kInsetMargin, kInsetMargin);
    // The source takes the frame's proportions, so the inset is filled and not distorted.
    const double frameRatio = kInsetFrame.width() / kInsetFrame.height();
    QSizeF size = paris.size();
    if (size.width() / size.height() < frameRatio)
        size.setWidth(size.height() * frameRatio);
    else
        size.setHeight(size.width() / frameRatio);
    map.m_insetSource = QRectF(QPointF(), size);
    map.m_insetSource.moveCenter(paris.center());
    map.m_insetFrame = kInsetFrame;

    for (MapDepartment &department : map.m_departments) {
        const QPointF point = roomiestPoint(department.rings, department.bounds);
        department.label = department.inInset ? map.toInset(point) : point;
    }
    return map;
}

QByteArray FranceMap::builtInSvg()
{
    QFile file(QStringLiteral(":/data/france.departments.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

const FranceMap &FranceMap::builtIn()
{
    static const FranceMap map = [] {
        QString error;
        FranceMap read = fromSvg(builtInSvg(), &error);
        if (!read.isValid())
            qCWarning(lcViews) << error;
        return read;
    }();
    return map;
}

const MapDepartment *FranceMap::department(int index) const
{
    for (const MapDepartment &department : m_departments)
        if (department.index == index)
            return &department;
    return nullptr;
}

double FranceMap::insetScale() const
{
    return m_insetSource.isEmpty() ? 1.0 : m_insetFrame.width() / m_insetSource.width();
}

QPointF FranceMap::toInset(QPointF point) const
{
    return m_insetFrame.topLeft() + (point - m_insetSource.topLeft()) * insetScale();
}

QPointF FranceMap::fromInset(QPointF point) const
{
    return m_insetSource.topLeft() + (point - m_insetFrame.topLeft()) / insetScale();
}

bool FranceMap::isInsetDepartment(int index)
{
    return index == 75 || index == 92 || index == 93 || index == 94;
}

} // namespace orvel
