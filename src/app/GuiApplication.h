// Builds the real platform objects and opens the setup window.
#pragma once

#include <QApplication>
#include <QString>

namespace orvel {

int runGui(QApplication &app, const QString &folderOption);

} // namespace orvel
