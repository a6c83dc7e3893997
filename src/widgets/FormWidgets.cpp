#include "FormWidgets.h"
#include <QFrame>
#include <QVBoxLayout>

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace orvel {

QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text)
{
    return named(new QLabel(text, parent), name);
}

QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text)
{
    return named(new QPushButton(text, parent), name);
}

void paintText(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void chainTabOrder(const QList<QWidget *> &chain)
{
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

QFrame *titleFrame(QWidget *parent, const QString &frameName, const QString &labelName,
                   const QString &text)
{
    auto *frame = named(new QFrame(parent), frameName);
    frame->setFrameShape(QFrame::StyledPanel);
    QLabel *title = namedLabel(frame, labelName, text);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(frame))->addWidget(title);
    return frame;
}

} // namespace orvel
