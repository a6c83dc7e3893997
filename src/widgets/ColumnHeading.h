// The heading over a list of fixed-column rows: labels in the list's font, each standing over
// the character of the rows where its column starts, measured on the list itself so that they
// stay there whatever the font, and following the rows when the list scrolls sideways.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QLabel;

namespace orvel {

class ColumnHeading : public QWidget
{
public:
    ColumnHeading(QAbstractItemView *list, QWidget *parent);

    // Shows label over the rows from their character start (1-based); the heading takes it.
    void addLabel(QLabel *label, int start);

    // Where the character column (1-based) of the rows begins, in this widget's pixels.
    int columnLeft(int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeLabels();

    struct Placed {
        QPointer<QLabel> label;
        int start;
    };
    QAbstractItemView *m_list;
    QList<Placed> m_labels;
};

} // namespace orvel
