#include "TestRegistry.h"

#include <QStandardPaths>
#include <QTest>

namespace orvel::testing {

std::vector<TestFactory> &testFactories()
{
    static std::vector<TestFactory> factories;
    return factories;
}

int runRegisteredTests(int argc, char **argv)
{
    // No test may touch the real user settings or data folders.
    QStandardPaths::setTestModeEnabled(true);
    int failures = 0;
    for (const auto &factory : testFactories()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace orvel::testing
