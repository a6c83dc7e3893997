// The entry point of the first-layer test executables: no display, no widgets.
#include "TestRegistry.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return orvel::testing::runRegisteredTests(argc, argv);
}
