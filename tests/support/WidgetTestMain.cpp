// The entry point of the window test executables, on the offscreen platform unless told
// otherwise.
#include "TestRegistry.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return orvel::testing::runRegisteredTests(argc, argv);
}
