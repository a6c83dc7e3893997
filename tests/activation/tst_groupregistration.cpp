#include "activation/GroupRegistration.h"
#include "common/TextFile.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(orvel::SetupTexts)

using namespace orvel;
using namespace orvel::testing;

namespace {

SetupTexts typed(const QString &reference, const QString &activator = QStringLiteral("Q1ABC"),
                 const QString &name = QStringLiteral("Château de Test"))
{
    return {activator,
            QString(),
            reference,
            name,
            QStringLiteral("12"),
            QStringLiteral("89000"),
            QStringLiteral("Auxerre"),
            QStringLiteral("Activation"),
            QStringLiteral("01/05/24")};
}

// A data folder, its list and its group being created, as the setup window holds them.
struct Desk {
    TestPlatform platform;
    ActivationList list{platform.folder()};
    SetupState group;
    GroupRegistration registration{list, LogFiles(platform.folder()), group};
    Desk() { group.start(); }
    RegistrationResult add(const SetupTexts &texts)
    {
        return registration.registerTyped(texts, platform.dialogs);
    }
};

} // namespace

class TestGroupRegistration : public QObject
{
    Q_OBJECT

private slots:
    void refusesBeforeWritingAnything_data()
    {
        QTest::addColumn<SetupTexts>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("field"); // -1: none
        QTest::newRow("no activator") << typed("DFCF 89010", "") << kThreeFieldsRequired << -1;
        QTest::newRow("no name") << typed("DFCF 89010", "Q1ABC", "  ") << kThreeFieldsRequired
                                 << -1;
        QTest::newRow("reference without its blank")
            << typed("DFCF89010") << *referenceRuleMessage("DFCF89010")
            << int(SetupField::NumActivite);
        QTest::newRow("reference that is a path")
            << typed("DFCF 89/010") << *referenceRuleMessage("DFCF 89/010")
            << int(SetupField::NumActivite);
    }
    void refusesBeforeWritingAnything()
    {
        QFETCH(SetupTexts, texts);
        QFETCH(QString, message);
        QFETCH(int, field);
        Desk desk;
        const RegistrationResult result = desk.add(texts);
        QCOMPARE(result.outcome, RegistrationResult::Outcome::Refused);
        QCOMPARE(desk.platform.dialogs.shown, QStringList{message});
        QCOMPARE(result.refusedField ? int(*result.refusedField) : -1, field);
        QVERIFY(!QFile::exists(desk.list.path()));
    }

    void asksBeforeRegisteringANewActivation_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Oui") << true;
        QTest::newRow("Non") << false;
    }
    void asksBeforeRegisteringANewActivation()
    {
        QFETCH(bool, answer);
        Desk desk;
        desk.platform.dialogs.answers = {answer};
        const SetupTexts texts = typed("DFCF 89010");
        const RegistrationResult result = desk.add(texts);

        const QString line = formatActivationLine(activationOf(texts));
        QCOMPARE(desk.platform.dialogs.questions, QStringList{registrationQuestion(line)});
        QCOMPARE(result.outcome, answer ? RegistrationResult::Outcome::Registered
                                        : RegistrationResult::Outcome::Declined);
        QCOMPARE(desk.list.lines(), answer ? QStringList{line} : QStringList());
        QCOMPARE(QFile::exists(desk.platform.file("DFCF 89010.txt")), answer);
        QCOMPARE(desk.platform.dialogs.messages,
                 answer ? QStringList{kActivationRegistered} : QStringList());
        QCOMPARE(desk.group.contains("DFCF 89010"), answer);
        QCOMPARE(result.newLine, answer);
    }

    void aStoredActivationJoinsTheGroupBeingCreated()
    {
        Desk desk;
        const QString stored = formatActivationLine(activationOf(typed("DMF 1234")));
        writeFile(desk.list.path(), {stored, "<eol>", "1"});
        writeFile(desk.platform.file("DMF 1234.txt"), {});

        const RegistrationResult result = desk.add(typed("DMF 1234"));

        QCOMPARE(result.outcome, RegistrationResult::Outcome::Registered);
        QVERIFY(result.stored.has_value());
        QCOMPARE(desk.platform.dialogs.shown, QStringList());
        // Its line is written again inside the block that the group's marker will close.
        QCOMPARE(desk.list.lines(), QStringList({stored, "<eol>", "1", stored}));
        QCOMPARE(desk.group.writtenCount(), 1);

        desk.platform.dialogs.clear();
        QCOMPARE(desk.add(typed("DMF 1234")).outcome, RegistrationResult::Outcome::Refused);
        QCOMPARE(desk.platform.dialogs.shown,
                 QStringList{"La référence DMF 1234 fait déjà partie de ce groupe"});
    }

    void handOverCreatesTheLogAndOpensAtLeastTheCurrentReference_data()
    {
        QTest::addColumn<bool>("logExists");
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("new log, no group") << false << QStringList() << QStringList{"DFCF 89010"}
                                           << QStringList{kActivationStarts};
        QTest::newRow("log goes on, WFF in the group")
            << true << QStringList{"DFCF 89010", "FFF 0123"}
            << QStringList{"DFCF 89010", "FFF 0123"}
            << QStringList{kActivationContinues, wffRuleMessage()};
    }
    void handOverCreatesTheLogAndOpensAtLeastTheCurrentReference()
    {
        QFETCH(bool, logExists);
        QFETCH(QStringList, group);
        QFETCH(QStringList, open);
        QFETCH(QStringList, messages);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        if (logExists)
            writeFile(logs.path("DFCF 89010"), {});
        // The check alone writes nothing and says nothing.
        const HandOverCheck check = checkHandOver(activationOf(typed("DFCF 89010")), group, logs);
        QCOMPARE(check.references, open);
        QCOMPARE(check.logMissing, !logExists);
        QCOMPARE(logs.exists("DFCF 89010"), logExists);
        QVERIFY(platform.dialogs.messages.isEmpty());

        const auto opened =
            handOver(activationOf(typed("DFCF 89010")), group, logs, platform.dialogs);
        QCOMPARE(opened, std::optional<QStringList>(open));
        QCOMPARE(platform.dialogs.messages, messages);
        QVERIFY(logs.exists("DFCF 89010"));
    }

#ifndef Q_OS_WIN
    // A pipe or a device under the name of a log of the group would swallow every QSO: the
    // hand-over says so and opens nothing.
    void handOverRefusesALogThatIsNoFile_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("kind");
        QTest::newRow("current log, a pipe") << "DFCF 89010"
                                             << "pipe";
        QTest::newRow("log of the group, a link to /dev/zero") << "DMF 2"
                                                               << "/dev/zero";
    }
    void handOverRefusesALogThatIsNoFile()
    {
        QFETCH(QString, reference);
        QFETCH(QString, kind);
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        const QString path = logs.path(reference);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(kind, path));

        const auto opened = handOver(activationOf(typed("DFCF 89010")), {"DFCF 89010", "DMF 2"},
                                     logs, platform.dialogs);

        QVERIFY(!opened);
        QCOMPARE(platform.dialogs.messages,
                 QStringList{QString("Le fichier %1 ne peut pas être lu : ce n'est pas un fichier "
                                     "ordinaire mais un tube ou un périphérique.")
                                 .arg(path)});
    }
#endif

    void handOverRefusesIncompleteFields()
    {
        TestPlatform platform;
        const LogFiles logs(platform.folder());
        QVERIFY(!handOver(activationOf(typed("DFCF 89010", "")), {}, logs, platform.dialogs));
        QVERIFY(!handOver(activationOf(typed("DFCF 8/9")), {}, logs, platform.dialogs));
        QCOMPARE(platform.dialogs.messages.size(), 2);
        QCOMPARE(platform.dialogs.messages.first(), kThreeFieldsRequired);
        QVERIFY(!logs.exists("DFCF 89010"));
    }
};

ORVEL_TEST_CLASS(TestGroupRegistration)
#include "tst_groupregistration.moc"
