#include "radio/RadioCommand.h"
#include "radio/RadioLink.h"
#include "radio/RadioProbe.h"
#include "support/DummyRig.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace orvel;
using namespace orvel::testing;

namespace {

RadioConfig rigctld(int port)
{
    return *rigctldAddress(QStringLiteral("127.0.0.1:%1").arg(port));
}

ProgramRun runRadio(const QStringList &arguments)
{
    return runProgram(QStringLiteral(ORVEL_EXECUTABLE), QStringList{"radio"} + arguments);
}

} // namespace

// Hamlib's dummy rig behind rigctld, read through the radio layer and the command line.
class TestRadioLink : public QObject
{
    Q_OBJECT

private slots:
    void readsTheDummyRig_data()
    {
        QTest::addColumn<qint64>("hertz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("line");
        QTest::newRow("160 m LSB") << qint64(1'810'000) << "LSB"
                                   << "1810000;1.8;SSB";
        QTest::newRow("80 m CW") << qint64(3'800'000) << "CW"
                                 << "3800000;3.5;CW";
        QTest::newRow("40 m USB") << qint64(7'100'000) << "USB"
                                  << "7100000;7;SSB";
        QTest::newRow("30 m CWR") << qint64(10'150'000) << "CWR"
                                  << "10150000;10;CW";
        QTest::newRow("20 m PKTUSB") << qint64(14'074'000) << "PKTUSB"
                                     << "14074000;14;FT8";
        QTest::newRow("17 m RTTY") << qint64(18'100'000) << "RTTY"
                                   << "18100000;18;TTY";
        QTest::newRow("15 m RTTYR") << qint64(21'080'000) << "RTTYR"
                                    << "21080000;21;TTY";
        QTest::newRow("12 m PKTLSB") << qint64(24'915'000) << "PKTLSB"
                                     << "24915000;24;FT8";
        QTest::newRow("10 m AM") << qint64(29'000'000) << "AM"
                                 << "29000000;28;AM";
        QTest::newRow("6 m PKTFM") << qint64(50'313'000) << "PKTFM"
                                   << "50313000;50;FT8";
        QTest::newRow("2 m FM") << qint64(145'500'000) << "FM"
                                << "145500000;144;FM";
        QTest::newRow("2 m WFM") << qint64(144'000'000) << "WFM"
                                 << "144000000;144;FM";
        QTest::newRow("out of band") << qint64(7'200'001) << "USB"
                                     << "7200001;;SSB";
    }
    void readsTheDummyRig()
    {
        QFETCH(qint64, hertz);
        QFETCH(QString, mode);
        QFETCH(QString, line);
        if (!m_rig)
            m_rig = std::make_unique<DummyRig>();
        QVERIFY2(m_rig->isRunning(), "rigctld -m 1 did not start");
        QVERIFY(m_rig->set(hertz, mode));
        const RadioAnswer answer = readRadioOnce(rigctld(m_rig->port()));
        QVERIFY2(answer.ok, qPrintable(answer.problem));
        QCOMPARE(answer.reading.frequency, hertz);
        QCOMPARE(answer.reading.mode, mode);
        // The command prints what the entry window would take.
        const ProgramRun run = runRadio({"--rigctld", m_rig->address()});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, line + "\n");
        QCOMPARE(run.exitCode, 0);
    }

    void commandReadsTheDummyRigDirectly()
    {
        // The dummy rig needs no port: model 1 opened without rigctld starts on 2 m FM.
        const ProgramRun run = runRadio({"--modele", "1"});
        QCOMPARE(run.out, QString("145000000;144;FM\n"));
        QCOMPARE(run.exitCode, 0);
    }

    void commandWithoutARadio_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::newRow("nothing listens") << false;
        QTest::newRow("a port that never answers") << true;
    }
    void commandWithoutARadio()
    {
        QFETCH(bool, listening);
        SilentPort silent;
        const int port = listening ? silent.port() : closedLoopbackPort();
        QElapsedTimer clock;
        clock.start();
        const ProgramRun run = runRadio({"--rigctld", QStringLiteral("127.0.0.1:%1").arg(port)});
        QVERIFY2(clock.elapsed() < kRadioCommandDeadlineMs + 1500,
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(run.exitCode, kRadioNoAnswer);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(
                     QStringLiteral("La radio ne répond pas (rigctld 127.0.0.1:%1 : ").arg(port)),
                 qPrintable(run.err));
    }

    void linkFollowsTheRigAndStopsAtOnce()
    {
        DummyRig rig;
        QVERIFY(rig.isRunning());
        QVERIFY(rig.set(14'200'000, "USB"));
        RadioLink link;
        QSignalSpy readings(&link, &RadioLink::reading);
        link.start(rigctld(rig.port()));
        QTRY_VERIFY_WITH_TIMEOUT(!readings.isEmpty(), 2000);
        QCOMPARE(readings.last().at(0).value<RadioReading>(), (RadioReading{14'200'000, "USB"}));
        QVERIFY(rig.set(7'050'000, "CW"));
        // Polled twice a second: the change arrives within a second.
        QTRY_COMPARE_WITH_TIMEOUT(readings.last().at(0).value<RadioReading>(),
                                  (RadioReading{7'050'000, "CW"}), 1000);
        QElapsedTimer clock;
        clock.start();
        link.stop();
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!link.isRunning());
        const int told = readings.size();
        QTest::qWait(700);
        QCOMPARE(readings.size(), told);
    }

    void linkRetriesARadioThatDidNotAnswer()
    {
        // The rig starts late on the port the link was told; the link says so, then finds it.
        auto late = std::make_unique<DummyRig>();
        const int port = late->port();
        late->kill();
        RadioLink link;
        link.setTiming({100, 400, 3000});
        QSignalSpy readings(&link, &RadioLink::reading);
        QSignalSpy silences(&link, &RadioLink::silent);
        link.start(rigctld(port));
        QTRY_VERIFY_WITH_TIMEOUT(!silences.isEmpty(), 2000);
        QVERIFY(silences.first().at(0).toString().startsWith("La radio ne répond pas"));
        // One message per attempt, not one per poll.
        QTest::qWait(600);
        QVERIFY2(silences.size() <= 3, qPrintable(QString::number(silences.size())));
        QProcess rigctld;
        rigctld.start("rigctld", {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        QVERIFY(rigctld.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!readings.isEmpty(), 3000);
        link.stop();
        rigctld.kill();
        rigctld.waitForFinished();
    }

    void probeAnswersAtItsDeadline()
    {
        RadioProbe probe;
        QSignalSpy answers(&probe, &RadioProbe::answered);
        QElapsedTimer clock;
        clock.start();
        probe.start(
            [] {
                QThread::msleep(600);
                return RadioAnswer{true, {7'100'000, "USB"}, {}};
            },
            200, "trop tard");
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 1000);
        QVERIFY(clock.elapsed() < 550);
        QCOMPARE(answers.first().at(0).value<RadioAnswer>().problem, QString("trop tard"));
        // The reader's late answer is not heard.
        QVERIFY(probe.waitForWorker(2000));
        QTest::qWait(50);
        QCOMPARE(answers.size(), 1);
    }

    void cleanupTestCase() { m_rig.reset(); }

private:
    std::unique_ptr<DummyRig> m_rig;
};

ORVEL_TEST_CLASS(TestRadioLink)
#include "tst_radiolink.moc"
