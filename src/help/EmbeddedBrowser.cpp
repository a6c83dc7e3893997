#include "EmbeddedBrowser.h"

#include <QCoreApplication>

#include <unistd.h>

namespace orvel {

void prepareEmbeddedBrowser()
{
#ifdef ORVEL_WEBENGINE
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

} // namespace orvel
