// The map of the départements (Picture1): the vector map drawn to the size of the widget, the
// Paris inset in its top-left corner, and the 100 labels Dep_0 to Dep_99, each on its
// département. A marked département has its label and its area in light green.
#pragma once

#include "DepartmentTally.h"
#include "FranceMap.h"

#include <QList>
#include <QTransform>
#include <QWidget>

class QLabel;
class QSvgRenderer;

namespace orvel {

class DepartmentMap : public QWidget
{
    Q_OBJECT
public:
    explicit DepartmentMap(const FranceMap &map, QWidget *parent = nullptr);

    void setMarks(const DepartmentMarks &marks);
    const DepartmentMarks &marks() const { return m_marks; }

    // The label of an index (objectName "Dep_<index>").
    QLabel *label(int index) const;
    // From map units to the widget, for the map and for the inset.
    QTransform mapTransform() const;
    QTransform insetTransform() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeLabels();
    void paintMarks(QPainter &painter, const QTransform &transform, double borderWidth) const;

    const FranceMap &m_map;
    QSvgRenderer *m_renderer = nullptr;
    QSvgRenderer *m_insetRenderer = nullptr;
    QList<QLabel *> m_labels;
    DepartmentMarks m_marks;
};

} // namespace orvel
