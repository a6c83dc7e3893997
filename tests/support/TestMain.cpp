#include "TestRegistry.h"
#include "help/EmbeddedBrowser.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

namespace orvel::testing {
std::vector<TestFactory> &testFactories()
{
    static std::vector<TestFactory> factories;
    return factories;
}
} // namespace orvel::testing

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    orvel::prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    // No test may touch the real user settings or data folders.
    QStandardPaths::setTestModeEnabled(true);
    int failures = 0;
    for (const auto &factory : orvel::testing::testFactories()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
