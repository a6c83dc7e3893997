// The 98 département indicators of the entry window (Dpt): index 1 to 95 show their number on
// two digits, 96 and 97 show "2a" and "2b"; 0 and 20 have no caption. The départements tally
// colours them.
#pragma once

#include <QFrame>
#include <QList>

class QLabel;

namespace orvel {

class DepartmentGrid : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kCount = 98;

    explicit DepartmentGrid(QWidget *parent = nullptr);

    // The indicator of an index (0 to 97), objectName "Dpt_<index>"; nullptr out of range.
    QLabel *indicator(int index) const;
    // The index of a département text ("05", "2A", "2b"); -1 when it has no indicator.
    static int indexOf(const QString &department);
    // The caption of an index.
    static QString captionOf(int index);

    // Colours one indicator; an invalid colour gives it back its plain background.
    void setColour(int index, const QColor &colour);
    // Every indicator back to its plain background.
    void clearColours();

private:
    QList<QLabel *> m_labels;
};

} // namespace orvel
