#include "digital/DigitalQso.h"
#include "digital/WsjtxMessage.h"
#include "logging/QsoStore.h"
#include "support/TestRegistry.h"
#include "support/WsjtxSender.h"

#include <QRandomGenerator>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QDateTime kOn(QDate(2026, 12, 9), QTime(14, 2, 31), Qt::UTC);

SentQso sentQso()
{
    SentQso qso;
    qso.timeOn.utc = kOn;
    return qso;
}

ReceivedQso receivedOf(const QByteArray &datagram)
{
    const WsjtxDecoding decoding = decodeWsjtxDatagram(datagram);
    if (!decoding.message)
        return {};
    return receivedQso(*decoding.message).value_or(ReceivedQso{});
}

} // namespace

// The datagrams of WSJT-X and JTDX as they are read, and the QSO they give.
class TestWsjtxMessage : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryTimeBasisToUtc_data()
    {
        QTest::addColumn<quint32>("schema");
        QTest::addColumn<int>("basis");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("jtdxLocal");
        QTest::newRow("UTC, schema 3") << 3u << 1 << "WSJT-X" << 0 << "" << false;
        QTest::newRow("UTC, schema 2") << 2u << 1 << "WSJT-X" << 0 << "" << false;
        QTest::newRow("local") << 3u << 0 << "WSJT-X" << 0 << "" << false;
        QTest::newRow("offset east") << 3u << 2 << "WSJT-X" << 7200 << "" << false;
        QTest::newRow("offset west, schema 2") << 2u << 2 << "WSJT-X" << -18000 << "" << false;
        QTest::newRow("time zone") << 3u << 3 << "WSJT-X" << 0 << "Europe/Moscow" << false;
        QTest::newRow("JTDX stamps UTC as local")
            << 3u << 0 << "JTDX -  14074000" << 0 << "" << true;
    }
    void readsEveryTimeBasisToUtc()
    {
        QFETCH(quint32, schema);
        QFETCH(int, basis);
        QFETCH(QString, id);
        QFETCH(int, offset);
        QFETCH(QString, zone);
        QFETCH(bool, jtdxLocal);
        SentQso qso = sentQso();
        qso.id = id;
        qso.schema = schema;
        qso.timeOn.basis = quint8(basis);
        qso.timeOn.offset = offset;
        qso.timeOn.zone = QTimeZone(zone.toLatin1());
        qso.timeOn.utcAsLocal = jtdxLocal;
        const WsjtxDecoding decoding = decodeWsjtxDatagram(qsoLogged(qso));
        QVERIFY2(decoding.message, qPrintable(decoding.problem));
        QCOMPARE(decoding.message->schema, schema);
        QCOMPARE(decoding.message->id, id);
        const auto received = receivedQso(*decoding.message);
        QVERIFY(received);
        QCOMPARE(received->timeOn, kOn);
        QCOMPARE(receivedQsoKey(*received), receivedQsoKey(receivedOf(loggedAdif(qso))));
    }

    void readsTheFieldsOfEachType()
    {
        SentQso sent = sentQso();
        sent.comments = QStringLiteral("pota FF-1234");
        sent.name = QStringLiteral("Jérôme");
        const WsjtxDecoding logged = decodeWsjtxDatagram(qsoLogged(sent));
        QVERIFY(logged.message && logged.message->qso);
        const WsjtxQsoLogged &qso = *logged.message->qso;
        QCOMPARE(qso.dxCall, QStringLiteral("F4ABC"));
        QCOMPARE(qso.dxGrid, QStringLiteral("JN18"));
        QCOMPARE(qso.txFrequency, quint64(14074000));
        QCOMPARE(qso.reportSent, QStringLiteral("-12"));
        QCOMPARE(qso.reportReceived, QStringLiteral("-08"));
        QCOMPARE(qso.name, QStringLiteral("Jérôme"));
        QCOMPARE(qso.comments, QStringLiteral("pota FF-1234"));
        QCOMPARE(qso.myCall, QStringLiteral("Q1ABC/P"));
        QCOMPARE(qso.timeOff.toUtc(), kOn.addSecs(60));
        QVERIFY(qso.exchangeSent.isNull());

        const WsjtxDecoding beat = decodeWsjtxDatagram(heartbeat("WSJT-X", 3, "2.6.1"));
        QVERIFY(beat.message && beat.message->heartbeat);
        QCOMPARE(beat.message->heartbeat->maximumSchema, 3u);
        QCOMPARE(beat.message->heartbeat->version, QStringLiteral("2.6.1"));
        // The oldest senders end their heartbeat after the id: schema 2 is assumed.
        const WsjtxDecoding bare = decodeWsjtxDatagram(bareHeartbeat("WSJT-X"));
        QVERIFY(bare.message && bare.message->heartbeat);
        QCOMPARE(bare.message->heartbeat->maximumSchema, 2u);

        const WsjtxDecoding state = decodeWsjtxDatagram(status("WSJT-X", 7074000, "FT4"));
        QVERIFY(state.message && state.message->status);
        QCOMPARE(state.message->status->dialFrequency, quint64(7074000));
        QCOMPARE(state.message->status->mode, QStringLiteral("FT4"));
        QVERIFY(state.message->status->subMode.isNull());

        const WsjtxDecoding adif = decodeWsjtxDatagram(loggedAdif(sent));
        QVERIFY(adif.message);
        const auto fromAdif = receivedQso(*adif.message);
        QVERIFY(fromAdif);
        QCOMPARE(fromAdif->call, QStringLiteral("F4ABC"));
        QCOMPARE(fromAdif->frequency, qint64(14074000));
        QCOMPARE(fromAdif->name, QStringLiteral("Jérôme"));
        QCOMPARE(fromAdif->timeOn, kOn);
    }

    void dropsWhatIsNotAMessage_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        const QByteArray qso = qsoLogged(sentQso());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("shorter than a header") << QByteArray("\xad\xbc\xcb", 3);
        QTest::newRow("wrong magic") << WsjtxDatagram(0, "WSJT-X", 3, 0xdeadbeef).bytes();
        QTest::newRow("schema 1") << WsjtxDatagram(0, "WSJT-X", 1).bytes();
        QTest::newRow("schema 4") << WsjtxDatagram(0, "WSJT-X", 4).bytes();
        QTest::newRow("id longer than the datagram")
            << WsjtxDatagram(5, "WSJT-X").bytes().left(12) + QByteArray("\x7f\xff\xff\xf0", 4) +
                   "WSJT-X";
        QTest::newRow("QSO cut in its call") << qso.left(qso.indexOf("F4ABC") + 2);
        QTest::newRow("QSO cut in a time")
            << WsjtxDatagram(5, "WSJT-X").i64(2461384).u32(50551000).bytes();
        QTest::newRow("unknown time basis")
            << WsjtxDatagram(5, "WSJT-X").time(kOn.date(), kOn.time(), 7).bytes();
        QTest::newRow("text length past the end")
            << WsjtxDatagram(12, "WSJT-X").u32(0xfffffff0).raw("<call:5>F4ABC").bytes();
    }
    void dropsWhatIsNotAMessage()
    {
        QFETCH(QByteArray, datagram);
        const WsjtxDecoding decoding = decodeWsjtxDatagram(datagram);
        QVERIFY(!decoding.message);
        QVERIFY(!decoding.problem.isEmpty());
    }

    void leavesUnknownTypesAndLaterFields()
    {
        const QByteArray later = qsoLogged(sentQso()) + QByteArray(40, '\x01');
        const WsjtxDecoding decoding = decodeWsjtxDatagram(later);
        QVERIFY(decoding.message && decoding.message->qso);
        QCOMPARE(decoding.message->qso->dxCall, QStringLiteral("F4ABC"));
        const WsjtxDecoding unknown =
            decodeWsjtxDatagram(WsjtxDatagram(99, "WSJT-X").raw(QByteArray(30, '\xff')).bytes());
        QVERIFY(unknown.message);
        QCOMPARE(unknown.message->type, 99u);
    }

    // Every prefix of a QSO, and random bytes after a good header: read or dropped, never more.
    void survivesCutAndHostileDatagrams()
    {
        const QByteArray qso = qsoLogged(sentQso());
        int read = 0;
        for (qsizetype size = 0; size <= qso.size(); ++size)
            read += decodeWsjtxDatagram(qso.left(size)).message ? 1 : 0;
        // The whole QSO, and the QSO without the fields older senders lack.
        QVERIFY(read >= 1 && read < 12);
        QRandomGenerator random(37);
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes = WsjtxDatagram(random.bounded(14), "x").bytes().left(12);
            const int size = random.bounded(400);
            for (int b = 0; b < size; ++b)
                bytes.append(char(random.bounded(256)));
            const WsjtxDecoding decoding = decodeWsjtxDatagram(bytes);
            if (decoding.message)
                receivedQso(*decoding.message);
        }
    }

    // The line is the one the entry window stores for a QSO typed at that moment.
    void givesTheLineOfATypedQso_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("expected"); // dept|first name|rst R|rst E|remarks
        QTest::newRow("plain") << "f4abc"
                               << ""
                               << ""
                               << "-12"
                               << ""
                               << "||-08|-12|";
        QTest::newRow("memory gives département and name") << "F4ABC"
                                                           << ""
                                                           << ""
                                                           << "-12"
                                                           << "89|Jean"
                                                           << "89|Jean|-08|-12|";
        QTest::newRow("name sent wins over the memory") << "F4ABC"
                                                        << "Paul"
                                                        << ""
                                                        << "-12"
                                                        << "89|Jean"
                                                        << "89|Paul|-08|-12|";
        QTest::newRow("comments as remarks, report cut, default report")
            << "F4ABC"
            << "Ève"
            << "parc ff-1234 via łodź"
            << ""
            << ""
            << "|Ève|-08|59|PARC FF-1234 VIA LODZ";
    }
    void givesTheLineOfATypedQso()
    {
        QFETCH(QString, call);
        QFETCH(QString, name);
        QFETCH(QString, comments);
        QFETCH(QString, sent);
        QFETCH(QString, remembered);
        QFETCH(QString, expected);
        ReceivedQso received;
        received.sender = QStringLiteral("WSJT-X");
        received.timeOn = kOn;
        received.call = call;
        received.frequency = 14074500;
        received.mode = QStringLiteral("FT8");
        received.reportSent = sent;
        received.reportReceived = QStringLiteral("-08");
        received.name = name;
        received.comments = comments;
        DigitalContext context;
        context.operatorCall = QStringLiteral("Q1ABC");
        context.remembered = [&](const QString &asked) -> std::optional<RememberedName> {
            if (remembered.isEmpty() || asked != QLatin1String("F4ABC"))
                return std::nullopt;
            return RememberedName{remembered.section('|', 0, 0), remembered.section('|', 1, 1)};
        };
        const DigitalConversion conversion = convertReceivedQso(received, context);
        QVERIFY2(conversion.qso, qPrintable(conversion.refusal));
        const QStringList parts = expected.split('|');
        const QsoRecord typed{"09/12/26", "14:02", "F4ABC", parts[0], parts[1], parts[2],
                              parts[3],   "FT8",   "14",    parts[4], "Q1ABC"};
        StoreRequest request;
        request.entry = typed;
        request.timing = EntryTiming::Deferred;
        QCOMPARE(formatQsoLine(*conversion.qso), QsoStore::buildLine(request));
    }

    void refusesWhatTheLogCannotHold_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<qint64>("frequency");
        QTest::addColumn<QDateTime>("on");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("outside every band")
            << "F4ABC" << qint64(14500000) << kOn
            << "FT8 14:02 F4ABC : 14 500,000 kHz hors des bandes du log, QSO non enregistré";
        QTest::newRow("no call sign")
            << "" << qint64(14074000) << kOn << "QSO reçu sans indicatif : non enregistré";
        QTest::newRow("call sign too long")
            << "F4ABC/P/QRP/MM" << qint64(14074000) << kOn
            << "QSO reçu de F4ABC/P/QRP/MM : indicatif de plus de 12 caractères, non enregistré";
        QTest::newRow("unreadable moment") << "F4ABC" << qint64(14074000) << QDateTime()
                                           << "QSO reçu de F4ABC : heure illisible, non enregistré";
        QTest::newRow("a year two digits cannot tell")
            << "F4ABC" << qint64(14074000) << QDateTime(QDate(2126, 12, 9), QTime(14, 2), Qt::UTC)
            << "QSO reçu de F4ABC : date 09/12/2126 hors des années que le log peut écrire (1950 "
               "à 2049), non enregistré";
    }
    void refusesWhatTheLogCannotHold()
    {
        QFETCH(QString, call);
        QFETCH(qint64, frequency);
        QFETCH(QDateTime, on);
        QFETCH(QString, refusal);
        ReceivedQso received;
        received.call = call;
        received.frequency = frequency;
        received.mode = QStringLiteral("FT8");
        received.timeOn = on;
        const DigitalConversion conversion = convertReceivedQso(received, {});
        QVERIFY(!conversion.qso);
        QCOMPARE(conversion.refusal, refusal);
    }
};

ORVEL_TEST_CLASS(TestWsjtxMessage)
#include "tst_wsjtxmessage.moc"
