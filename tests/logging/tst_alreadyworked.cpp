#include "logging/AlreadyWorked.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "support/Activations.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString qsoLine(const QString &date, const QString &time, const QString &call,
                const QString &firstName, const QString &band, const QString &mode)
{
    return formatQsoLine(
        QsoRecord{date, time, call, "05", firstName, "59", "59", mode, band, "", ""});
}

} // namespace

class TestAlreadyWorked : public QObject
{
    Q_OBJECT

private slots:
    void findsAnEarlierContactOnTheSameBandAndMode_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("question");
        QTest::newRow("same band and mode: the first QSO is shown")
            << "F5ABC"
            << "7"
            << "SSB"
            << "F5ABC Jean Deja contacté le 01/05/24 a 10:15 sur 7 Mhz. Annuler la saisie ?";
        QTest::newRow("other band") << "F5ABC"
                                    << "14"
                                    << "CW"
                                    << "";
        QTest::newRow("other mode") << "F5ABC"
                                    << "7"
                                    << "CW"
                                    << "";
        QTest::newRow("capitals matter") << "f5abc"
                                         << "7"
                                         << "SSB"
                                         << "";
        QTest::newRow("band of three characters")
            << "F6XYZ"
            << "144"
            << "FM"
            << "F6XYZ Paul Deja contacté le 02/05/24 a 08:00 sur 144 Mhz. Annuler la saisie ?";
        QTest::newRow("empty call") << ""
                                    << "7"
                                    << "SSB"
                                    << "";
    }
    void findsAnEarlierContactOnTheSameBandAndMode()
    {
        QFETCH(QString, call);
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(QString, question);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path("DFCF 89010"),
                  {qsoLine("01/05/24", "10:15", "F5ABC", "Jean", "7", "SSB"),
                   qsoLine("01/05/24", "10:20", "F5ABC", "Jean", "14", "SSB"),
                   qsoLine("02/05/24", "08:00", "F6XYZ", "Paul", "144", "FM"),
                   qsoLine("02/05/24", "09:00", "F5ABC", "Jean-Luc", "7", "SSB")});
        platform.dialogs.answers = {true};
        const Session session(platform.folder(), activationOf("DFCF 89010"), {"DFCF 89010"});

        const bool cancel = askCancelAlreadyWorked(platform.dialogs, session, call, band, mode);

        QCOMPARE(cancel, !question.isEmpty());
        QCOMPARE(platform.dialogs.questions,
                 question.isEmpty() ? QStringList() : QStringList{question});
    }

    void alreadyWorkedReadsTheCurrentActivationOnly()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        writeFile(logs.path("DFCF 89010"), {});
        writeFile(logs.path("DMF 89-001"),
                  {qsoLine("01/05/24", "10:15", "F5ABC", "Jean", "7", "SSB")});

        for (const QString reference : {"DFCF 89010", "DFCF 99999"}) {
            const Session session(platform.folder(), activationOf(reference),
                                  {"DFCF 89010", "DMF 89-001"});
            QVERIFY(!askCancelAlreadyWorked(platform.dialogs, session, "F5ABC", "7", "SSB"));
        }
        QCOMPARE(platform.dialogs.questions, QStringList());
    }
};

ORVEL_TEST_CLASS(TestAlreadyWorked)
#include "tst_alreadyworked.moc"
