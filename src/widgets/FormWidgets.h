// The building blocks of the forms built in code: every control is created with its parent
// and its objectName, the name the program and its tests find it by.
#pragma once

#include <QList>
#include <QString>

class QColor;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace orvel {

template <typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text = {});
QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text);

// A framed title across the top of a window: its text bold, two points larger, centred.
QFrame *titleFrame(QWidget *parent, const QString &frameName, const QString &labelName,
                   const QString &text);

// The colour of a label's text (the captions and indicators drawn in red).
void paintText(QWidget *widget, const QColor &colour);

// Tab leads from each control of chain to the next.
void chainTabOrder(const QList<QWidget *> &chain);

} // namespace orvel
