#include "TestRegistry.h"

#include <QMetaMethod>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace orvel::testing {

namespace {

// The Qt Test options followed by a value.
bool takesValue(const char *option)
{
    static const char *const withValue[] = {
        "-o", "-maxwarnings", "-eventdelay", "-keydelay", "-mousedelay", "-iterations",
        "-median", "-minimumvalue", "-minimumtotal", "-seed", "-perfcounter", "-platform"};
    for (const char *name : withValue) {
        if (std::strcmp(option, name) == 0)
            return true;
    }
    return false;
}

// The test functions of a class, as Qt Test names them on its command line.
QSet<QByteArray> testFunctions(const QObject &test)
{
    static const QSet<QByteArray> fixtures = {"initTestCase", "cleanupTestCase", "init",
                                              "cleanup"};
    QSet<QByteArray> names;
    const QMetaObject *meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QByteArray name = method.name();
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private &&
            method.parameterCount() == 0 && !name.endsWith("_data") && !fixtures.contains(name))
            names.insert(name);
    }
    return names;
}

} // namespace

std::vector<TestFactory> &testFactories()
{
    static std::vector<TestFactory> factories;
    return factories;
}

// Several classes share one executable: function names given on the command line go to the
// class that has them, and a class with none of them does not run; "-functions" lists the
// functions of every class.
int runRegisteredTests(int argc, char **argv)
{
    // No test may touch the real user settings or data folders.
    QStandardPaths::setTestModeEnabled(true);
    QList<char *> options;
    QList<char *> named;
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-functions") == 0) {
            listing = true;
        } else if (argv[i][0] == '-') {
            options.append(argv[i]);
            if (takesValue(argv[i]) && i + 1 < argc)
                options.append(argv[++i]);
        } else {
            named.append(argv[i]);
        }
    }
    int failures = 0;
    QSet<QByteArray> found;
    for (const auto &factory : testFactories()) {
        std::unique_ptr<QObject> test = factory();
        const QSet<QByteArray> functions = testFunctions(*test);
        if (listing) {
            QList<QByteArray> sorted(functions.cbegin(), functions.cend());
            std::sort(sorted.begin(), sorted.end());
            for (const QByteArray &name : sorted)
                std::printf("%s()\n", name.constData());
            continue;
        }
        QList<char *> arguments{argv[0]};
        arguments += options;
        bool chosen = named.isEmpty();
        for (char *name : std::as_const(named)) {
            if (functions.contains(QByteArray(name).split(':').constFirst())) {
                arguments.append(name);
                found.insert(name);
                chosen = true;
            }
        }
        if (chosen)
            failures += QTest::qExec(test.get(), int(arguments.size()), arguments.data());
    }
    for (char *name : std::as_const(named)) {
        if (!listing && !found.contains(name)) {
            std::fprintf(stderr, "Unknown test function: '%s'\n", name);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace orvel::testing
