#include "common/TextFile.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "support/WsjtxSender.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

QString activationLine(const QString &reference)
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q1ABC/P");
    a.name = QStringLiteral("Chateau");
    a.date = QStringLiteral("01/05/24");
    return formatActivationLine(a);
}

const QDateTime kOn(QDate(2026, 12, 9), QTime(14, 2), Qt::UTC);

} // namespace

// orvel-multi ecouter REFERENCE: the QSOs of WSJT-X into the group's logs, without a window,
// until the program is interrupted.
class TestListenCommand : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;

    QStringList arguments(quint16 port) const
    {
        return {"--dossier", platform->folder(),   "ecouter", "DFCF", "89010",
                "--port",    QString::number(port)};
    }

private slots:
    void init()
    {
        platform = new TestPlatform;
        writeFile(platform->file("Liste_Activite.txt"),
                  {activationLine("DFCF 89010"), activationLine("DMF 1234"), "<eol>", "2"});
    }
    void cleanup()
    {
        delete platform;
        platform = nullptr;
    }

    void storesUntilInterruptedAndRefusesASecondCopy()
    {
        const quint16 port = freeUdpPort();
        QProcess program;
        program.start(QStringLiteral(ORVEL_EXECUTABLE), arguments(port));
        QVERIFY(program.waitForStarted());
        QString err;
        QTRY_VERIFY2_WITH_TIMEOUT(
            (err += QString::fromUtf8(program.readAllStandardError()), err.contains("Écoute")),
            qPrintable(err), 20000);

        WsjtxSender sender(port);
        QStringList expected;
        for (int i = 0; i < 3; ++i) {
            SentQso qso;
            qso.timeOn.utc = kOn.addSecs(120 * i);
            qso.call = QStringLiteral("F%1ABC").arg(i + 1);
            qso.name = QStringLiteral("Luc");
            QVERIFY(sender.send(heartbeat("WSJT-X", 3, "2.6.1")));
            QVERIFY(sender.send(qsoLogged(qso)));
            QVERIFY(sender.send("garbage"));
            QVERIFY(sender.send(loggedAdif(qso)));
            expected
                << QStringLiteral("%1 %2 14 FT8").arg(qso.timeOn.utc.toString("hh:mm"), qso.call);
        }
        QString out;
        QTRY_VERIFY_WITH_TIMEOUT(
            (out += QString::fromUtf8(program.readAllStandardOutput()), out.count('\n') >= 3),
            20000);

        QProcess second;
        second.start(QStringLiteral(ORVEL_EXECUTABLE), arguments(freeUdpPort()));
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(!second.readAllStandardError().isEmpty());

        program.terminate();
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        out += QString::fromUtf8(program.readAllStandardOutput());
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts), expected);
        for (const QString reference : {"DFCF 89010", "DMF 1234"}) {
            const QStringList lines = readLines(platform->file(reference + ".txt"));
            QVERIFY2(lines.size() == 3,
                     qPrintable(QDir(platform->folder()).entryList().join(", ")));
            QCOMPARE(lines.at(0), formatQsoLine({"09/12/26", "14:02", "F1ABC", "", "Luc", "-08",
                                                 "-12", "FT8", "14", "", "Q1ABC"}));
        }
    }

    void saysWhyItCannotListen_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("port not a number")
            << QStringList{"--port", "deux"} << "Le port UDP doit être un nombre de 1 à 65535.";
        QTest::newRow("address not an address")
            << QStringList{"--adresse", "wsjtx.local"} << "L'adresse « wsjtx.local » n'est pas";
        QTest::newRow("port taken") << QStringList{} << "Le port UDP %1 est déjà pris";
    }
    void saysWhyItCannotListen()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QUdpSocket taken;
        QVERIFY(taken.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
        QProcess program;
        program.start(QStringLiteral(ORVEL_EXECUTABLE),
                      QStringList{"--dossier", platform->folder(), "ecouter", "DFCF 89010",
                                  "--port", QString::number(taken.localPort())} +
                          options);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 1);
        const QString err = QString::fromUtf8(program.readAllStandardError());
        const QString expected = message.contains("%1") ? message.arg(taken.localPort()) : message;
        QVERIFY2(err.contains(expected), qPrintable(err));
    }
};

ORVEL_TEST_CLASS(TestListenCommand)
#include "tst_listencommand.moc"
