#include "GuiApplication.h"

#include "platform/Clock.h"
#include "platform/Settings.h"
#include "platform/WidgetDialogs.h"
#include "platform/WorkingDirectory.h"

#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>

namespace orvel {

int runGui(QApplication &app, const QString &folderOption)
{
    installFrenchTranslations();
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    WidgetDialogs dialogs;
    QString error;
    const QString folder = chooseWorkingDirectory(
        folderOption, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), &error);
    if (folder.isEmpty()) {
        dialogs.message(error);
        return 1;
    }
    return 0;
}

} // namespace orvel
