#include "common/TextFile.h"
#include "digital/DigitalReception.h"
#include "digital/WsjtxMessage.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"
#include "support/Activations.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "support/WsjtxSender.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QStringList kGroup{"DFCF 89010", "DMF 1234", "FF-1234"};
const QDateTime kOn(QDate(2026, 12, 9), QTime(14, 2, 31), Qt::UTC);

QString lineAt(const QString &time, const QString &call, const QString &mode = "FT8",
               const QString &band = "14")
{
    return formatQsoLine({"09/12/26", time, call, "", "", "59", "59", mode, band, "", "Q1ABC"});
}

// The line the QSO of sentQso() gives.
QString sentLine(const QString &time = "14:02", const QString &call = "F4ABC")
{
    return formatQsoLine({"09/12/26", time, call, "", "", "-08", "-12", "FT8", "14", "", "Q1ABC"});
}

SentQso sentQso(const QDateTime &on = kOn, const QString &call = "F4ABC")
{
    SentQso qso;
    qso.timeOn.utc = on;
    qso.call = call;
    return qso;
}

} // namespace

// The QSOs of WSJT-X and JTDX into every open log, through the session.
class TestDigitalReception : public QObject
{
    Q_OBJECT

private:
    TestPlatform *platform = nullptr;
    Session *session = nullptr;
    DigitalReception *reception = nullptr;

    QStringList log(const QString &reference) const
    {
        return readLines(platform->file(reference + ".txt"));
    }
    void open(const QStringList &current = {})
    {
        writeFile(platform->file(kGroup[0] + ".txt"), current);
        session = new Session(platform->folder(), activationOf(kGroup[0]), kGroup);
        reception = new DigitalReception(*session, FirstNames(platform->folder()));
        reception->setOperator([] { return QStringLiteral("Q1ABC"); });
    }
    void takeAll(const QList<QByteArray> &datagrams)
    {
        for (const QByteArray &datagram : datagrams)
            reception->take(datagram);
        QTRY_VERIFY(!reception->hasPending());
    }

private slots:
    void init() { platform = new TestPlatform; }
    void cleanup()
    {
        delete reception;
        delete session;
        delete platform;
        reception = nullptr;
        session = nullptr;
    }

    void storesOneQsoInEveryOpenLog()
    {
        open();
        QSignalSpy taken(reception, &DigitalReception::taken);
        const SentQso qso = sentQso();
        takeAll({heartbeat("WSJT-X", 3, "2.6.1"), status("WSJT-X", 14074000, "FT8"), qsoLogged(qso),
                 loggedAdif(qso)});
        for (const QString &reference : kGroup)
            QCOMPARE(log(reference), QStringList{sentLine()});
        QCOMPARE(taken.size(), 1);
        const auto written = taken.at(0).at(0).value<DigitalTaken>();
        QCOMPARE(written.statusText(), QStringLiteral("FT8 14:02 F4ABC 14 Mhz ajouté aux 3 logs"));
        QCOMPARE(written.commandLineText(), QStringLiteral("14:02 F4ABC 14 FT8"));
        QCOMPARE(session->currentLog().size(), 1);
        QVERIFY(session->unfinishedWrites().isEmpty());
        QVERIFY(FirstNames(platform->folder()).lookup("F4ABC").has_value());
        QCOMPARE(reception->lastHeard()->version, QStringLiteral("2.6.1"));
    }

    // A relay, a second listener, a replay after the program started again: one QSO.
    void takesEachQsoOnce()
    {
        open();
        SentQso qso = sentQso();
        SentQso jtdx = sentQso(kOn, "G4XYZ");
        jtdx.id = QStringLiteral("JTDX -  14074000");
        jtdx.timeOn.basis = 0;
        jtdx.timeOn.utcAsLocal = true;
        takeAll({loggedAdif(qso), qsoLogged(qso), qsoLogged(qso), loggedAdif(qso), qsoLogged(jtdx),
                 loggedAdif(jtdx)});
        QCOMPARE(log(kGroup[1]), (QStringList{sentLine(), sentLine("14:02", "G4XYZ")}));
        QCOMPARE(reception->counts().copies, 4);
        delete reception;
        reception = new DigitalReception(*session, FirstNames(platform->folder()));
        reception->setOperator([] { return QStringLiteral("Q1ABC"); });
        takeAll({qsoLogged(qso), loggedAdif(jtdx)});
        QCOMPARE(log(kGroup[2]).size(), 2);
        QCOMPARE(reception->counts().copies, 2);
    }

    void placesEachQsoAtItsMoment_data()
    {
        QTest::addColumn<QTime>("on");
        QTest::addColumn<int>("row");
        QTest::newRow("later than every line") << QTime(16, 0) << 3;
        QTest::newRow("in the minute of the last line: after it") << QTime(15, 0, 40) << 3;
        QTest::newRow("earlier: at its moment") << QTime(14, 30) << 2;
        QTest::newRow("before every line") << QTime(9, 0) << 0;
    }
    void placesEachQsoAtItsMoment()
    {
        QFETCH(QTime, on);
        QFETCH(int, row);
        const QStringList before{lineAt("10:00", "F5AAA"), lineAt("14:02", "F5BBB"),
                                 lineAt("15:00", "F5CCC")};
        open(before);
        writeFile(platform->file(kGroup[1] + ".txt"), before);
        takeAll({qsoLogged(sentQso(QDateTime(kOn.date(), on, Qt::UTC)))});
        const QString line = sentLine(on.toString("hh:mm"));
        QStringList expected = before;
        expected.insert(row, line);
        QCOMPARE(log(kGroup[0]), expected);
        QCOMPARE(log(kGroup[1]), expected);
        QCOMPARE(log(kGroup[2]), QStringList{line});
        QCOMPARE(session->currentLog().line(row), line);
    }

    void refusesAQsoOutsideEveryBand()
    {
        open({lineAt("10:00", "F5AAA")});
        QSignalSpy refused(reception, &DigitalReception::refused);
        SentQso qso = sentQso();
        qso.frequency = 14500000;
        const QByteArray before = readBytes(platform->file(kGroup[0] + ".txt"));
        takeAll({qsoLogged(qso), loggedAdif(qso)});
        QCOMPARE(readBytes(platform->file(kGroup[0] + ".txt")), before);
        QVERIFY(!QFile::exists(platform->file(kGroup[1] + ".txt")));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.at(0).at(0).toString(),
                 QStringLiteral("FT8 14:02 F4ABC : 14 500,000 kHz hors des bandes du log, QSO non "
                                "enregistré"));
    }

    void warnsOfACallAlreadyWorked()
    {
        open({lineAt("10:00", "F4ABC")});
        QSignalSpy warned(reception, &DigitalReception::alreadyWorked);
        takeAll({qsoLogged(sentQso())});
        QCOMPARE(log(kGroup[0]).size(), 2);
        QCOMPARE(warned.size(), 1);
        QCOMPARE(warned.at(0).at(0).toString(),
                 QStringLiteral("F4ABC déjà contacté le 09/12/26 à 10:00 sur 14 Mhz en FT8"));
    }

    // Heard on the network: the heartbeat answered, a burst taken whole while the event loop
    // keeps turning.
    void listensAndTakesABurst()
    {
        open();
        const quint16 port = freeUdpPort();
        QCOMPARE(reception->start(port, "127.0.0.1"), QString());
        WsjtxSender sender(port);
        QVERIFY(sender.send(heartbeat("WSJT-X", 3, "2.6.1")));
        QTRY_VERIFY(sender.socket().hasPendingDatagrams());
        QByteArray answer(int(sender.socket().pendingDatagramSize()), '\0');
        sender.socket().readDatagram(answer.data(), answer.size());
        const WsjtxDecoding decoded = decodeWsjtxDatagram(answer);
        QVERIFY(decoded.message && decoded.message->heartbeat);
        QCOMPARE(decoded.message->schema, 3u);
        // A program heard for the first time is asked to tell its state.
        QTRY_VERIFY(sender.socket().hasPendingDatagrams());
        QByteArray replay(int(sender.socket().pendingDatagramSize()), '\0');
        sender.socket().readDatagram(replay.data(), replay.size());
        const WsjtxDecoding request = decodeWsjtxDatagram(replay);
        QVERIFY(request.message && request.message->is(WsjtxType::Replay));
        QCOMPARE(request.message->id, QStringLiteral("WSJT-X"));

        constexpr int kQsos = 100;
        constexpr int kDatagrams = 10000;
        int sent = 0;
        QElapsedTimer clock;
        qint64 longestTurn = 0;
        qint64 lastTick = 0;
        QTimer tick;
        clock.start();
        connect(&tick, &QTimer::timeout, this, [&] {
            longestTurn = std::max(longestTurn, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        for (int i = 0; sent < kDatagrams - 1; ++i) {
            if (i < kQsos) {
                const SentQso qso = sentQso(kOn.addSecs(60 * i), QStringLiteral("F%1AA").arg(i));
                sent += sender.send(qsoLogged(qso)) + sender.send(loggedAdif(qso)) +
                        sender.send(qsoLogged(qso));
            }
            sent += sender.send(status("WSJT-X", 14074000 + i, "FT8"));
            sent += sender.send(QByteArray::number(i));
            sent += sender.send(heartbeat("JTDX -  14074000", 2, "2.2.159"));
        }
        while (sent < kDatagrams)
            sent += sender.send(closing("WSJT-X"));
        lastTick = clock.elapsed();
        tick.start(5);
        QTRY_COMPARE_WITH_TIMEOUT(reception->counts().datagrams, qint64(kDatagrams) + 1, 60000);
        tick.stop();
        QCOMPARE(reception->counts().qsos, qint64(kQsos));
        QCOMPARE(log(kGroup[2]).size(), kQsos);
        QVERIFY2(longestTurn < 500, qPrintable(QString::number(longestTurn)));
    }

    // JTAlert or GridTracker may listen on the port too, as may this program beside them.
    void sharesThePortWithAnotherListener()
    {
        open();
        QUdpSocket other;
        QVERIFY(other.bind(QHostAddress::LocalHost, 0,
                           QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint));
        QCOMPARE(reception->start(other.localPort(), "127.0.0.1"), QString());
        QVERIFY(reception->isListening());
    }

    void saysInFrenchThatThePortIsTaken()
    {
        open();
        QUdpSocket other;
        QVERIFY(other.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
        const QString problem = reception->start(other.localPort(), "127.0.0.1");
        QVERIFY2(problem.startsWith(QStringLiteral("Le port UDP %1 est déjà pris par un autre "
                                                   "programme")
                                        .arg(other.localPort())),
                 qPrintable(problem));
        QVERIFY(!reception->isListening());
    }
};

ORVEL_TEST_CLASS(TestDigitalReception)
#include "tst_digitalreception.moc"
