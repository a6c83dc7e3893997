// The vector map of the départements (data/france.departments.svg): each département's outline
// read from its path, the place of its label computed from that outline, and the inset that
// repeats Paris and its three neighbours enlarged in the top-left corner. Everything is in the
// map's own units (its viewBox); the window scales it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace orvel {

// A closed outline; a département may have several (islands, enclaves, holes).
using MapRing = QList<QPointF>;
using MapRings = QList<MapRing>;

struct MapDepartment {
    QString id; // "01" ... "95", "2A", "2B"
    int index;  // the label index: 1 to 95, 96 for 2A, 97 for 2B
    MapRings rings;
    QRectF bounds;
    bool inInset;  // its label stands in the inset, not on the map
    QPointF label; // centre of its label, in map units (inside the inset for inInset)
};

// Inside the outlines, by the even-odd rule (a hole of a ring inside another is outside).
bool ringsContain(const MapRings &rings, QPointF point);

// The point of the outlines farthest from their border: where a label has the most room.
QPointF roomiestPoint(const MapRings &rings, const QRectF &bounds);

// The outlines of an SVG path's "d" text (M, L, H, V, Z, absolute or relative); empty with an
// error for a curve or anything unreadable.
MapRings parsePathData(QStringView data, QString *error = nullptr);

class FranceMap
{
public:
    // The map of the SVG file; an error (French) when it cannot be read or lacks a département.
    static FranceMap fromSvg(const QByteArray &svg, QString *error = nullptr);
    // The map built into the program, read once.
    static const FranceMap &builtIn();
    // The built-in SVG file's bytes.
    static QByteArray builtInSvg();

    bool isValid() const { return !m_departments.isEmpty(); }
    QRectF viewBox() const { return m_viewBox; }
    const QList<MapDepartment> &departments() const { return m_departments; }
    const MapDepartment *department(int index) const;

    // The part of the map shown enlarged, and where the inset stands on the map.
    QRectF insetSource() const { return m_insetSource; }
    QRectF insetFrame() const { return m_insetFrame; }
    // From map units to the inset's place on the map, and back.
    QPointF toInset(QPointF point) const;
    QPointF fromInset(QPointF point) const;
    double insetScale() const;

    // The départements whose labels stand in the inset.
    static bool isInsetDepartment(int index);

private:
    QRectF m_viewBox;
    QList<MapDepartment> m_departments;
    QRectF m_insetSource;
    QRectF m_insetFrame;
};

} // namespace orvel
