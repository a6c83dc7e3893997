#include "common/Program.h"
#include "common/Version.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;

class TestRevision : public QObject
{
    Q_OBJECT

private slots:
    // Raising the version in CMakeLists.txt asks for its entry in the history.
    void newestHistoryEntryIsTheVersion()
    {
        const QStringList entries = revisionHistory().split("\r\n", Qt::SkipEmptyParts);
        QVERIFY(!entries.isEmpty());
        QVERIFY2(entries.last().startsWith("V" + QString::fromLatin1(kProgramVersion) + " "),
                 qPrintable(entries.last()));
    }
};

ORVEL_TEST_CLASS(TestRevision)
#include "tst_revision.moc"
