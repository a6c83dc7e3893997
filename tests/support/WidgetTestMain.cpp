// The entry point of the window test executables, on the offscreen platform unless told
// otherwise.
#include "TestRegistry.h"
#include "help/EmbeddedBrowser.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    orvel::prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    return orvel::testing::runRegisteredTests(argc, argv);
}
