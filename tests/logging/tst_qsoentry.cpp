// The QSO entry without its window: each row is the keys and clicks of an operator, written as a
// script, and what the entry holds afterwards.
#include "logging/QsoEntry.h"
#include "records/Session.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTest>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kCurrent = QStringLiteral("DFCF 89010");
const QString kOther = QStringLiteral("DMF 1234");

const QHash<QString, EntryField> kFields = {
    {"Indi", EntryField::Call},         {"Dpt", EntryField::Department},
    {"Prenom", EntryField::FirstName},  {"QRKR", EntryField::ReportReceived},
    {"QRKE", EntryField::ReportSent},   {"Obs", EntryField::Remarks},
    {"Date", EntryField::Date},         {"Heure", EntryField::Time},
    {"Ope", EntryField::Operator},      {"Mode", EntryField::Mode},
    {"Bande", EntryField::Band},        {"Valide", EntryField::Store}};

QString stored(const QString &date, const QString &time, const QString &call,
               const QString &dpt, const QString &name, const QString &rstR = "59",
               const QString &rstE = "59", const QString &remarks = "")
{
    return formatQsoLine(
        QsoRecord{date, time, call, dpt, name, rstR, rstE, "SSB", "3.5", remarks, "Q1ABC"});
}

// An entry on two open activations, with a clock at 01/05/24 10:00 UTC.
struct Desk {
    TestPlatform platform;
    Session session{platform.folder()};
    std::unique_ptr<QsoEntry> entry;

    explicit Desk(const QStringList &logged = {})
    {
        for (const QString &reference : {kCurrent, kOther})
            writeFile(platform.file(reference + ".txt"), logged);
        session.open(Activation{kCurrent, "Q1ABC/P", "Château", "12", "89000", "DFCF",
                                "01/05/24", "Auxerre", ""},
                     {kCurrent, kOther});
        entry = std::make_unique<QsoEntry>(session, platform.dialogs, platform.settings);
        entry->setClock([] { return EntryMoment{"01/05/24", "10:00 Utc"}; });
        // As the window's lists and fields start.
        entry->typed(EntryField::Mode, "SSB");
        entry->typed(EntryField::Band, "3.5");
        entry->setText(EntryField::Operator, entry->state().defaultOperator);
        entry->followLog();
    }

    // One step of a script:
    //   "text"      the operator replaces the text of the current field
    //   "+text"     types text after a key that types (retype, separators)
    //   "Field=x"   the operator sets another field's text (Mode=CW also chooses CW)
    //   "enter"     Enter in the current field;  "F10" a store key there;  "valide" Valide_Q
    //   "deferred", "insert", "cancel", "retype", "edit N" (list line N, from 1)
    void run(const QStringList &script)
    {
        for (const QString &step : script) {
            const EntryField at = entry->current();
            if (step == "enter")
                entry->enter(at);
            else if (step == "F10")
                entry->storeKey(at);
            else if (step == "valide")
                entry->storeWithValide();
            else if (step == "deferred")
                entry->setDeferred(true);
            else if (step == "insert")
                entry->beginInsert();
            else if (step == "cancel")
                entry->cancel();
            else if (step == "retype")
                entry->setRetypeMode(true);
            else if (step.startsWith("edit ")) {
                const int row = step.mid(5).toInt() - 1;
                entry->choose(session.model().index(row).data().toString());
                entry->editChosen();
            } else if (step.startsWith('+')) {
                for (const QChar c : step.mid(1)) {
                    entry->characterKey(at);
                    entry->typed(at, entry->text(at) + c);
                }
            } else if (const qsizetype eq = step.indexOf('='); eq > 0) {
                const EntryField field = kFields.value(step.left(eq));
                entry->typed(field, step.mid(eq + 1));
                if (field == EntryField::Mode)
                    entry->modeChosen(entryModes().indexOf(step.mid(eq + 1)));
            } else {
                entry->typed(at, step);
            }
        }
    }
    QString currentName() const { return kFields.key(entry->current()); }
    QStringList log(const QString &reference) const { return session.logFiles().load(reference); }
};

} // namespace

Q_DECLARE_METATYPE(EntryMode)

class TestQsoEntry : public QObject
{
    Q_OBJECT

private slots:
    // Where the keys lead, what is refused and with which message; nothing is stored.
    void keyFlow_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text"); // the current field's text afterwards

        QTest::newRow("F asks the département") << QStringList{"F4ABC", "enter"} << "Dpt" << ""
                                                << "";
        for (const char *call : {"TK5XY", "TM8Z", "HW1A"})
            QTest::addRow("%s asks the département", call)
                << QStringList{call, "enter"} << "Dpt" << "" << "";
        for (const char *call : {"EA1XYZ", "ON4AA", "HB9ZZ", "EA1XYZ/P/QRP"})
            QTest::addRow("%s goes to the first name", call)
                << QStringList{call, "enter"} << "Prenom" << "" << "";
        QTest::newRow("13 characters") << QStringList{"EA1XYZ/P/QRPX", "enter"} << "Indi"
                                       << "12 caracteres maxi" << "EA1XYZ/P/QRPX";
        QTest::newRow("empty call") << QStringList{"", "enter"} << "Indi"
                                    << "Entrez un indicatif" << "";

        const QStringList toDpt{"F4ABC", "enter"};
        const QStringList toRstR = toDpt + QStringList{"75", "enter", "Jean", "enter"};
        const QStringList toCwRstR = QStringList{"Mode=CW"} + toRstR;
        QTest::newRow("dpt 96") << toDpt + QStringList{"96", "enter"} << "Dpt"
                                << "Départements N° de 00 à 95" << "";
        QTest::newRow("dpt 3a") << toDpt + QStringList{"3a", "enter"} << "Dpt"
                                << "Que des chiffres ou 2a ou 2b)" << "";
        QTest::newRow("dpt 2-") << toDpt + QStringList{"2-", "enter"} << "Dpt"
                                << "Département 2a ou 2b uniquement)" << "";
        QTest::newRow("dpt A1") << toDpt + QStringList{"A1", "enter"} << "Dpt"
                                << "Que des chiffres pour le 1er caractère" << "";
        QTest::newRow("dpt 1") << toDpt + QStringList{"1", "enter"} << "Dpt"
                               << "2 caractères pour le département" << "";
        QTest::newRow("first name 16")
            << toDpt + QStringList{"75", "enter", "Jean-Christophe1", "enter"} << "Prenom"
            << "15 caracteres maxi" << "Jean-Christophe1";
        QTest::newRow("rst received 599 in SSB") << toRstR + QStringList{"599", "enter"} << "QRKR"
                                                 << "2 caracteres pour le report reçu" << "";
        QTest::newRow("rst received 59 in CW") << toCwRstR + QStringList{"59", "enter"} << "QRKR"
                                               << "3 caracteres pour le report reçu" << "";
        QTest::newRow("rst received empty") << toRstR + QStringList{"", "enter"} << "QRKR"
                                            << "Le report reçu est obligatoire" << "";
        QTest::newRow("rst sent 10") << toRstR + QStringList{"enter", "10", "enter"} << "QRKE"
                                     << "RST envoyé 11 mini 59 maxi" << "";
        QTest::newRow("rst sent 110 CW") << toCwRstR + QStringList{"enter", "110", "enter"}
                                         << "QRKE" << "RST envoyé 111 mini 599 maxi" << "";
        QTest::newRow("remarks 31")
            << toRstR + QStringList{"enter", "enter", QString(31, 'x'), "enter"} << "Obs"
            << "30 caracteres maxi" << QString(31, 'x');
        QTest::newRow("remarks lead to Valide") << toRstR + QStringList{"enter", "enter", "enter"}
                                                << "Valide" << "" << "";
        QTest::newRow("deferred: remarks lead to the date")
            << QStringList{"deferred"} + toRstR + QStringList{"enter", "enter", "enter"} << "Date"
            << "" << "";
        QTest::newRow("inserting: remarks lead to the date")
            << QStringList{"insert"} + toRstR + QStringList{"enter", "enter", "enter"} << "Date"
            << "" << "";
        QTest::newRow("typed moment needed before a store key")
            << QStringList{"deferred", "F4ABC", "enter", "75", "F10"} << "Date"
            << "Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques" << "";
        QTest::newRow("every field held to its width")
            << QStringList{"Ope=Q1ABCDEFGHIJK", "F4ABC", "enter", "75", "F10"} << "Ope"
            << "12 caracteres maxi" << "Q1ABCDEFGHIJK";
    }
    void keyFlow()
    {
        QFETCH(QStringList, script);
        QFETCH(QString, current);
        QFETCH(QString, message);
        QFETCH(QString, text);
        Desk desk;
        desk.run(script);
        QCOMPARE(desk.currentName(), current);
        QCOMPARE(desk.platform.dialogs.messages,
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(desk.entry->text(desk.entry->current()), text);
        QVERIFY(desk.log(kCurrent).isEmpty());
    }

    void typesTheDateAndTimeSeparators()
    {
        Desk desk;
        desk.run({"deferred"});
        for (const QChar c : QString("120614")) {
            desk.entry->characterKey(EntryField::Date);
            desk.entry->typed(EntryField::Date, desk.entry->text(EntryField::Date) + c);
        }
        QCOMPARE(desk.entry->text(EntryField::Date), QString("12/06/14"));
        for (const QChar c : QString("1230")) {
            desk.entry->characterKey(EntryField::Time);
            desk.entry->typed(EntryField::Time, desk.entry->text(EntryField::Time) + c);
        }
        QCOMPARE(desk.entry->text(EntryField::Time), QString("12:30"));
    }

    // The band and mode steps remember their choice; a mode chosen gives the default reports.
    void bandAndModeSteps()
    {
        Desk desk;
        desk.run({"Mode=CW"});
        QCOMPARE(desk.entry->text(EntryField::ReportReceived), QString("599"));
        QCOMPARE(desk.entry->text(EntryField::ReportSent), QString("599"));
        desk.entry->typed(EntryField::Band, "432");
        desk.entry->enter(EntryField::Band);
        QCOMPARE(desk.currentName(), QString("Mode"));
        desk.entry->typed(EntryField::Mode, "OLIVIA");
        desk.entry->enter(EntryField::Mode);
        QCOMPARE(desk.platform.dialogs.messages, QStringList{"3 caracteres maxi"});
        QCOMPARE(desk.currentName(), QString("Mode"));
        desk.entry->typed(EntryField::Mode, "RTTY");
        desk.entry->enter(EntryField::Mode);
        QCOMPARE(desk.currentName(), QString("Indi"));
        QCOMPARE(desk.entry->text(EntryField::ReportSent), QString("59"));
        QCOMPARE(desk.entry->settings().bandIndex(), -1);
        QCOMPARE(desk.platform.settings.value(kAppMulti, kSetupSection, "Mode Activite"),
                 QString("-1"));
    }

    // What a store writes, from each mode and each store-key field, and what stays for the next.
    void stores_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("logged"); // the log afterwards
        QTest::addColumn<QString>("reportsAfter");
        QTest::addColumn<QString>("remarksAfter");

        const QString q1 = stored("01/05/24", "09:00", "F4ABC", "75", "Jean", "57", "55");
        const QStringList before{q1};
        const QStringList fields{"75", "Jean", "57", "55", "rem", "12/06/14", "10:20"};
        const char *names[] = {"Dpt", "Prenom", "QRKR", "QRKE", "Obs", "Date", "Heure"};
        for (int steps = 0; steps < 7; ++steps) {
            QStringList script{"deferred", "Obs=rem", "Date=12/06/14", "Heure=10:20", "F4XYZ",
                               "enter"};
            for (int i = 0; i <= steps; ++i) {
                script << fields.at(i);
                if (i < steps)
                    script << "enter";
            }
            script << "F10";
            const QString line = stored("12/06/14", "10:20", "F4XYZ", "75",
                                        steps >= 1 ? "Jean" : "", steps >= 2 ? "57" : "59",
                                        steps >= 3 ? "55" : "59", "REM");
            QTest::addRow("store key from %s", names[steps])
                << script << before + QStringList{line}
                << (steps >= 3 ? "57 55" : steps == 2 ? "57 59" : "59 59")
                << (steps == 5 ? "" : "REM");
        }
        QTest::newRow("live, Valide_Q") << QStringList{"ON4AA", "enter", "QRKR=57", "valide"}
                                        << before + QStringList{stored("01/05/24", "10:00",
                                                                       "ON4AA", "", "", "57")}
                                        << "59 59" << "";
        QTest::newRow("edit replaces, with its typed moment")
            << QStringList{"edit 1", "Prenom=Paul", "Date=02/05/24", "valide"}
            << QStringList{stored("02/05/24", "09:00", "F4ABC", "75", "Paul", "57", "55")}
            << "59 59" << "";
        QTest::newRow("insert places it at its moment")
            << QStringList{"insert", "EA1XYZ", "enter", "Date=01/05/24", "Heure=08:30", "valide"}
            << QStringList{QsoStore::insertedLine({"01/05/24", "08:30", "EA1XYZ", "", "", "59",
                                                   "59", "SSB", "3.5", "", "Q1ABC"}),
                           q1}
            << "59 59" << "";
        QTest::newRow("the edit wins over the insert mode")
            << QStringList{"insert", "edit 1", "Prenom=Paul", "valide"}
            << QStringList{stored("01/05/24", "09:00", "F4ABC", "75", "Paul", "57", "55")}
            << "59 59" << "";
        QTest::newRow("a corrected QSO of another mode: the worked mode's reports next")
            << QStringList{"Mode=CW", "edit 1", "enter", "Prenom=Paul", "F10"}
            << QStringList{stored("01/05/24", "09:00", "F4ABC", "75", "Paul", "57", "55")}
            << "599 599" << "";
        QTest::newRow("cancel writes nothing")
            << QStringList{"edit 1", "Prenom=Paul", "cancel"} << before << "59 59" << "";
    }
    void stores()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, logged);
        QFETCH(QString, reportsAfter);
        QFETCH(QString, remarksAfter);
        Desk desk({stored("01/05/24", "09:00", "F4ABC", "75", "Jean", "57", "55")});
        desk.run(script);
        QCOMPARE(desk.platform.dialogs.messages, QStringList());
        QCOMPARE(desk.log(kCurrent), logged);
        QCOMPARE(desk.log(kOther), logged);
        QCOMPARE(desk.entry->mode(), desk.entry->deferred() ? EntryMode::Deferred : EntryMode::Live);
        // A cancelled edit leaves its number shown until the next store.
        QCOMPARE(desk.entry->number(), QTest::currentDataTag() == QByteArray("cancel writes nothing")
                                           ? QString("01")
                                           : QString::number(logged.size() + 1));
        QCOMPARE(desk.currentName(), QString("Indi"));
        QCOMPARE(desk.entry->text(EntryField::Call), QString());
        QCOMPARE(desk.entry->text(EntryField::ReportReceived) + " " +
                     desk.entry->text(EntryField::ReportSent),
                 reportsAfter);
        QCOMPARE(desk.entry->text(EntryField::Remarks), remarksAfter);
        QVERIFY(!desk.entry->look(EntryField::Store).enabled);
        QCOMPARE(desk.entry->state().operatorCount, logged.size());
    }

    // The mode the window and the radio ask: a typed moment holds the band and mode.
    void modes_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<EntryMode>("mode");
        QTest::newRow("at load") << QStringList{} << EntryMode::Live;
        QTest::newRow("deferred") << QStringList{"deferred"} << EntryMode::Deferred;
        QTest::newRow("inserting") << QStringList{"insert"} << EntryMode::Inserting;
        QTest::newRow("editing") << QStringList{"edit 1"} << EntryMode::Editing;
        QTest::newRow("editing while inserting") << QStringList{"insert", "edit 1"}
                                                 << EntryMode::Editing;
        QTest::newRow("cancel ends both") << QStringList{"insert", "edit 1", "cancel"}
                                          << EntryMode::Live;
    }
    void modes()
    {
        QFETCH(QStringList, script);
        QFETCH(EntryMode, mode);
        Desk desk({stored("01/05/24", "09:00", "F4ABC", "75", "Jean")});
        desk.run(script);
        QCOMPARE(desk.entry->mode(), mode);
        QCOMPARE(desk.entry->holdsBandAndMode(), mode != EntryMode::Live);
    }

    // Retype mode: the first key empties the field it applies to (see the retype table).
    void retype_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        const QStringList known{"retype", "F4ABC", "enter", "Dpt=75"};
        QTest::newRow("new QSO keeps the département") << known + QStringList{"+1"} << "Dpt"
                                                       << "751";
        QTest::newRow("default report replaced")
            << known + QStringList{"enter", "enter", "+57"} << "QRKR" << "57";
        QTest::newRow("edited call replaced") << QStringList{"retype", "edit 1", "+F5XYZ"}
                                              << "Indi" << "F5XYZ";
        QTest::newRow("edited first name replaced")
            << QStringList{"retype", "edit 1", "enter", "enter", "+Paul"} << "Prenom" << "Paul";
        QTest::newRow("edited date replaced")
            << QStringList{"retype", "edit 1", "enter", "enter", "enter", "enter", "enter",
                           "enter", "+020524"}
            << "Date" << "02/05/24";
        QTest::newRow("off: typed after") << QStringList{"edit 1", "+X"} << "Indi" << "F4ABCX";
    }
    void retype()
    {
        QFETCH(QStringList, script);
        QFETCH(QString, field);
        QFETCH(QString, text);
        Desk desk({stored("01/05/24", "09:00", "F4ABC", "75", "Jean")});
        desk.run(script);
        QCOMPARE(desk.entry->text(kFields.value(field)), text);
    }

    // Annule_Q: the entry back to the call sign, on the band and mode worked before an edit;
    // the typed date and the remarks stay, and so does a corrected QSO's number.
    void cancel_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<EntryMode>("mode");
        QTest::addColumn<QString>("texts"); // mode, band, reports, date, remarks, number
        QTest::newRow("an edit of a CW QSO")
            << QStringList{"edit 1", "cancel"} << EntryMode::Live
            << "SSB 3.5 59 59 | 01/05/24 | (empty) 01";
        QTest::newRow("an insertion in deferred entry")
            << QStringList{"deferred", "insert", "F4ABC", "enter", "13", "enter", "Jean",
                           "enter", "enter", "enter", "portable", "enter", "020524", "cancel"}
            << EntryMode::Deferred << "SSB 3.5 59 59 | 020524 | portable 2";
    }
    void cancel()
    {
        QFETCH(QStringList, script);
        QFETCH(EntryMode, mode);
        QFETCH(QString, texts);
        Desk desk({formatQsoLine({"01/05/24", "09:10", "F5XYZ", "05", "Paul", "599", "599",
                                  "CW", "7", "", "Q1ABC"})});
        desk.run(script);
        const auto text = [&](EntryField field) { return desk.entry->text(field); };
        const QString remarks = text(EntryField::Remarks);
        QCOMPARE(QStringList({text(EntryField::Mode), text(EntryField::Band),
                              text(EntryField::ReportReceived), text(EntryField::ReportSent), "|",
                              text(EntryField::Date), "|",
                              remarks.isEmpty() ? "(empty)" : remarks, desk.entry->number()})
                     .join(' '),
                 texts);
        QCOMPARE(desk.entry->mode(), mode);
        for (EntryField field : {EntryField::Call, EntryField::Department, EntryField::FirstName})
            QCOMPARE(text(field), QString());
        for (EntryField field : storeKeyFields().mid(0, 5) + QList{EntryField::Store})
            QVERIFY(!desk.entry->look(field).enabled);
        QCOMPARE(desk.currentName(), QString("Indi"));
        QCOMPARE(desk.log(kCurrent).size(), 1);
    }

    void alreadyWorkedCancelsTheEntry()
    {
        Desk desk;
        QStringList asked;
        desk.entry->setAlreadyWorkedCheck(
            [&](const QString &call, const QString &band, const QString &mode) {
                asked << call + "|" + band + "|" + mode;
                return true;
            });
        desk.run({"F4ABC", "enter"});
        QCOMPARE(asked, QStringList{"F4ABC|3.5|SSB"});
        QCOMPARE(desk.entry->text(EntryField::Call), QString());
        QCOMPARE(desk.currentName(), QString("Indi"));
        QVERIFY(!desk.entry->look(EntryField::Store).enabled);
    }
};

ORVEL_TEST_CLASS(TestQsoEntry)
#include "tst_qsoentry.moc"
