// The fixed-pitch lists of the log views: a view on a string model, so that a list holding a
// whole log stays quick to fill and to scroll.
#pragma once

#include <QString>

class QListView;
class QStringListModel;
class QWidget;

namespace orvel {

// A read-only list named name, in the fixed-pitch "Terminal" font (or the nearest fixed-pitch
// font), wide enough for columns characters, showing model.
QListView *listingView(QWidget *parent, const QString &name, QStringListModel *model, int columns);

// The width of columns characters of the listing font.
int listingWidth(const QWidget *widget, int columns);

} // namespace orvel
