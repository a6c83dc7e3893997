// Collects the Qt Test classes of one test executable so that a folder's classes run together.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace orvel::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory> &testFactories();

// Runs every registered class with QTest::qExec; 0 when all passed. The caller has created
// the application object the tests need.
int runRegisteredTests(int argc, char **argv);

struct TestRegistration {
    explicit TestRegistration(TestFactory factory)
    {
        testFactories().push_back(std::move(factory));
    }
};

} // namespace orvel::testing

#define ORVEL_TEST_CLASS(Class)                                                                    \
    static const orvel::testing::TestRegistration orvelRegistration##Class(                        \
        [] { return std::unique_ptr<QObject>(new Class); });
