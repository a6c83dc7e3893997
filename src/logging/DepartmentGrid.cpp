#include "DepartmentGrid.h"

#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"

#include <QGridLayout>
#include <QLabel>

namespace orvel {

namespace {
constexpr int kColumns = 10;
}

DepartmentGrid::DepartmentGrid(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame7"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QGridLayout(this);
    layout->setSpacing(1);
    layout->setContentsMargins(3, 3, 3, 3);
    for (int index = 0; index < kCount; ++index) {
        QLabel *label = namedLabel(this, QStringLiteral("Dpt_%1").arg(index), captionOf(index));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 4);
        label->setAutoFillBackground(true);
        layout->addWidget(label, index / kColumns, index % kColumns);
        m_labels.append(label);
    }
}

QLabel *DepartmentGrid::indicator(int index) const
{
    return index >= 0 && index < kCount ? m_labels.at(index) : nullptr;
}

int DepartmentGrid::indexOf(const QString &department)
{
    const QString text = department.trimmed().toLower();
    if (text == QLatin1String("2a"))
        return 96;
    if (text == QLatin1String("2b"))
        return 97;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || text.size() != 2 || number < 1 || number > 95 || number == 20)
        return -1;
    return number;
}

QString DepartmentGrid::captionOf(int index)
{
    if (index == 96)
        return QStringLiteral("2a");
    if (index == 97)
        return QStringLiteral("2b");
    if (index <= 0 || index == 20 || index > 97)
        return {};
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

void DepartmentGrid::setColour(int index, const QColor &colour)
{
    QLabel *label = indicator(index);
    if (!label)
        return;
    // Unmarked: the window's background, recorded like any colour so it reads back as such.
    paintBackground(label, colour.isValid() ? colour : palette().color(QPalette::Window));
}

void DepartmentGrid::clearColours()
{
    for (int index = 0; index < kCount; ++index)
        setColour(index, QColor());
}

} // namespace orvel
