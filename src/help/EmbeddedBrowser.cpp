#include "EmbeddedBrowser.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <unistd.h>

namespace orvel {

void prepareEmbeddedBrowser()
{
#ifdef ORVEL_WEBENGINE
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The engine describes its OpenGL set-up on every start; QT_LOGGING_RULES still shows it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
#endif
}

} // namespace orvel
