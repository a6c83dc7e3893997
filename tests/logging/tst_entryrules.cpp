#include "logging/EntryClock.h"
#include "logging/EntryRules.h"
#include "records/EntrySettings.h"
#include "logging/RetypeRule.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace orvel;
using namespace orvel::testing;

Q_DECLARE_METATYPE(orvel::EntryField)
Q_DECLARE_METATYPE(orvel::EntryKey)
Q_DECLARE_METATYPE(orvel::RetypeEffect)

class TestEntryRules : public QObject
{
    Q_OBJECT

private:
    static void compareCheck(const FieldCheck &check, const QString &message, bool emptied)
    {
        QCOMPARE(check.message, message);
        QCOMPARE(check.accepted, message.isEmpty());
        if (!check.accepted)
            QCOMPARE(check.emptied, emptied);
    }

private slots:
    void checksTheDepartment_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        for (const char *good : {"00", "20", "95", "2a", "2b", "2A", "2B", "05"})
            QTest::newRow(good) << good << "";
        QTest::newRow("96") << "96" << "Départements N° de 00 à 95";
        QTest::newRow("99") << "99" << "Départements N° de 00 à 95";
        QTest::newRow("3a") << "3a" << "Que des chiffres ou 2a ou 2b)";
        QTest::newRow("2c") << "2c" << "Département 2a ou 2b uniquement)";
        QTest::newRow("2-") << "2-" << "Département 2a ou 2b uniquement)";
        QTest::newRow("A1") << "A1" << "Que des chiffres pour le 1er caractère";
        QTest::newRow("one character") << "7" << "2 caractères pour le département";
        QTest::newRow("empty") << "" << "2 caractères pour le département";
        QTest::newRow("three characters") << "751" << "2 caractères pour le département";
    }
    void checksTheDepartment()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        compareCheck(checkDepartment(text), message, true);
    }

    void checksTheReports_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("59 SSB") << "59" << "SSB" << "" << "" << false;
        QTest::newRow("11 SSB") << "11" << "SSB" << "" << "" << false;
        QTest::newRow("10 SSB") << "10" << "SSB" << "RST reçu 11 mini 59 maxi"
                                << "RST envoyé 11 mini 59 maxi" << true;
        QTest::newRow("5x SSB is 5") << "5x" << "SSB" << "RST reçu 11 mini 59 maxi"
                                     << "RST envoyé 11 mini 59 maxi" << true;
        QTest::newRow("599 SSB") << "599" << "SSB" << "2 caracteres pour le report reçu"
                                 << "2 caracteres pour le report envoyé" << true;
        QTest::newRow("59 FT8") << "59" << "FT8" << "" << "" << false;
        QTest::newRow("599 FM") << "599" << "FM" << "2 caracteres pour le report reçu"
                                << "2 caracteres pour le report envoyé" << true;
        QTest::newRow("59 CW") << "59" << "CW" << "3 caracteres pour le report reçu"
                               << "3 caracteres pour le report envoyé" << true;
        QTest::newRow("110 CW") << "110" << "CW" << "RST reçu 111 mini 599 maxi"
                                << "RST envoyé 111 mini 599 maxi" << true;
        QTest::newRow("111 CW") << "111" << "CW" << "" << "" << false;
        QTest::newRow("599 CW") << "599" << "CW" << "" << "" << false;
        QTest::newRow("600 CW") << "600" << "CW" << "RST reçu 111 mini 599 maxi"
                                << "RST envoyé 111 mini 599 maxi" << true;
        QTest::newRow("cw in lower case is not CW") << "599" << "cw"
                                                    << "2 caracteres pour le report reçu"
                                                    << "2 caracteres pour le report envoyé" << true;
        QTest::newRow("empty keeps the focus") << "" << "SSB" << "Le report reçu est obligatoire"
                                               << "Le report envoyé est obligatoire" << false;
    }
    void checksTheReports()
    {
        QFETCH(QString, text);
        QFETCH(QString, mode);
        QFETCH(QString, received);
        QFETCH(QString, sent);
        QFETCH(bool, emptied);
        compareCheck(checkReportReceived(text, mode), received, emptied);
        compareCheck(checkReportSent(text, mode), sent, emptied);
    }

    void holdsTextLengths_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");
        QTest::newRow("first name 15") << 0 << 15 << "";
        QTest::newRow("first name 16") << 0 << 16 << "15 caracteres maxi";
        QTest::newRow("remarks 30") << 1 << 30 << "";
        QTest::newRow("remarks 31") << 1 << 31 << "30 caracteres maxi";
        QTest::newRow("call 12") << 2 << 12 << "";
        QTest::newRow("call 13") << 2 << 13 << "12 caracteres maxi";
        QTest::newRow("call empty") << 2 << 0 << "Entrez un indicatif";
        QTest::newRow("band 3") << 3 << 3 << "";
        QTest::newRow("band 4") << 3 << 4 << "3 caracteres maxi";
        QTest::newRow("mode 4 (RTTY)") << 4 << 4 << "";
        QTest::newRow("mode 6 (OLIVIA)") << 4 << 6 << "3 caracteres maxi";
        QTest::newRow("operator 13") << 5 << 13 << "12 caracteres maxi";
    }
    void holdsTextLengths()
    {
        QFETCH(int, field);
        QFETCH(int, length);
        QFETCH(QString, message);
        const QString text(length, QLatin1Char('A'));
        const FieldCheck checks[] = {checkFirstName(text), checkRemarks(text), checkCall(text),
                                     checkBand(text),      checkMode(text),    checkOperator(text)};
        compareCheck(checks[field], message, false);
    }

    void checksDateAndTimeForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("date");
        QTest::addColumn<int>("time");
        QTest::newRow("date") << "12/06/14" << 0 << 1;
        QTest::newRow("date range not tested") << "31/02/99" << 0 << 1;
        QTest::newRow("date with dashes") << "12-06-14" << 1 << 1;
        QTest::newRow("date too short") << "12/06/1" << 1 << 1;
        QTest::newRow("date letter") << "1a/06/14" << 1 << 1;
        QTest::newRow("time") << "12:30" << 1 << 0;
        QTest::newRow("time range not tested") << "27:75" << 1 << 0;
        QTest::newRow("time without colon") << "12.30" << 1 << 1;
        QTest::newRow("time 4 characters") << "1230" << 1 << 1;
        QTest::newRow("empty") << "" << 1 << 1;
    }
    void checksDateAndTimeForms()
    {
        QFETCH(QString, text);
        QFETCH(int, date);
        QFETCH(int, time);
        QCOMPARE(controleDate(text), date);
        QCOMPARE(controleHeure(text), time);
    }

    void dateAndTimeMessagesDependOnTheKey()
    {
        compareCheck(checkDateOnEnter("12/06"),
                     "Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques", true);
        compareCheck(checkDateOnStoreKey("12/06"),
                     "Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques ", true);
        compareCheck(checkTimeOnEnter("12:3"),
                     "Attention le format de l'heure doit etre hhmm les ':' sont automatique", true);
        compareCheck(checkTimeOnStoreKey("12:3"),
                     "Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont "
                     "automatique)",
                     false);
        compareCheck(checkTimeOnStoreKey("1a:30"), "Attention le format de l'heure doit etre hh:mm",
                     false);
        compareCheck(checkTimeOnStoreKey("12.30"), "Attention le format date doit etre hh:mm", false);
        compareCheck(checkTimeOnStoreKey("12:30"), "", false);
    }

    void recognisesFrenchCalls_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("french");
        for (const char *call : {"F4ABC", "f4abc", "TK5XY", "TM8Z", "HW1A", "TH0X", "HY9Q"})
            QTest::newRow(call) << call << true;
        for (const char *call : {"EA1XYZ", "ON4AA", "HB9ZZ", "TA1A", "", "T"})
            QTest::newRow(*call ? call : "empty") << call << false;
    }
    void recognisesFrenchCalls()
    {
        QFETCH(QString, call);
        QFETCH(bool, french);
        QCOMPARE(isFrenchCall(call), french);
    }

    void buildsTheWindowTexts()
    {
        QCOMPARE(defaultReport("CW"), QString("599"));
        QCOMPARE(defaultReport("FT8"), QString("59"));
        QCOMPARE(defaultOperator("Q1ABC/P"), QString("Q1ABC"));
        QCOMPARE(defaultOperator("Q1ABC"), QString("Q1ABC"));
        QCOMPARE(activationTitle("Q1ABC/P", ""),
                 QString("Orvel d'activité de Q1ABC/P au log Q1ABC/P"));
        QCOMPARE(activationTitle("Q1ABC/P", "Q2XYZ"),
                 QString("Orvel d'activité de Q1ABC/P au log Q2XYZ"));
        QCOMPARE(openReferencesText({"DFCF 89010", "DMF 12"}), QString("DFCF 89010 DMF 12 "));
        QCOMPARE(entryCaption(" 1.0.4c"), QString("  Brivo Orvel Multi    Revision  1.0.4c"));
        // The header starts its date over the list's date (list column = log column + 6).
        QCOMPARE(listHeader().indexOf("Date"), 6);
        QCOMPARE(listHeader(), QString(" N°   Date    Heure  Indicatif     Dpt  Prenom        RST R  E   Mode   Bande    Observations"));
    }

    void retypeRuleFollowsItsTable_data()
    {
        QTest::addColumn<EntryField>("field");
        QTest::addColumn<EntryKey>("key");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<RetypeEffect>("effect");
        using F = EntryField;
        using K = EntryKey;
        using E = RetypeEffect;
        QTest::newRow("call live") << F::Call << K::Character << false << E::None;
        QTest::newRow("call editing") << F::Call << K::Character << true << E::EmptyField;
        QTest::newRow("call editing enter") << F::Call << K::Enter << true << E::None;
        QTest::newRow("dpt live") << F::Department << K::Character << false << E::None;
        QTest::newRow("dpt editing") << F::Department << K::Character << true << E::EmptyField;
        QTest::newRow("first name store key") << F::FirstName << K::StoreKey << true << E::None;
        QTest::newRow("report live") << F::ReportReceived << K::Character << false
                                     << E::EmptyField;
        QTest::newRow("report store key") << F::ReportSent << K::StoreKey << false
                                          << E::EmptyField;
        QTest::newRow("report enter") << F::ReportSent << K::Enter << false << E::None;
        QTest::newRow("remarks editing") << F::Remarks << K::Character << true << E::MarkOnly;
        QTest::newRow("remarks live") << F::Remarks << K::Character << false << E::None;
        QTest::newRow("date editing") << F::Date << K::Character << true << E::EmptyField;
        QTest::newRow("time editing store key") << F::Time << K::StoreKey << true << E::None;
        QTest::newRow("mode") << F::Mode << K::Character << true << E::None;
    }
    void retypeRuleFollowsItsTable()
    {
        QFETCH(EntryField, field);
        QFETCH(EntryKey, key);
        QFETCH(bool, editing);
        QFETCH(RetypeEffect, effect);
        QCOMPARE(retypeEffect(field, key, true, editing, false), effect);
        QCOMPARE(retypeEffect(field, key, false, editing, false), RetypeEffect::None);
        QCOMPARE(retypeEffect(field, key, true, editing, true), RetypeEffect::None);
    }

    void repairsAnOlderModeSetting()
    {
        MemorySettings settings;
        settings.setValue(kAppMulti, kSetupSection, "Mode Activite", "CW");
        settings.setValue(kAppMulti, kSetupSection, "Bande Activite", "5");
        EntrySettings entry(settings);
        QCOMPARE(entry.loadModeIndex(), 0);
        QCOMPARE(settings.value(kAppMulti, kSetupSection, "Mode Activite"), QString("0"));
        QCOMPARE(entry.bandIndex(), 1);
    }

    void readsDefaultsAndWrittenChoices()
    {
        MemorySettings settings;
        EntrySettings entry(settings);
        QCOMPARE(entry.loadModeIndex(), 0);
        QCOMPARE(entry.bandIndex(), 1);
        QCOMPARE(entry.retypeMode(), false);
        entry.setBandIndex(-1);
        entry.setModeIndex(2);
        entry.setRetypeMode(true);
        entry.setUtcTimeBase(false);
        QCOMPARE(entry.bandIndex(), -1);
        QCOMPARE(entry.loadModeIndex(), 2);
        QCOMPARE(entry.retypeMode(), true);
        QCOMPARE(settings.value(kAppMulti, kSetupSection, "Heure UTC"), QString("false"));
        QCOMPARE(settings.value(kAppMulti, kSetupSection, "Mode_Refrappe"), QString("true"));
    }

    void readsBothClocksFromOneInstant()
    {
        FakeClock clock(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59), Qt::UTC), 3600);
        ClockReading utc = readClock(clock, TimeBase::Utc);
        QCOMPARE(utc.utcCaption, QString("23:59 Utc"));
        QCOMPARE(utc.localCaption, QString("00:59 Loc"));
        QCOMPARE(utc.currentDate, QString("31/12/24"));
        QCOMPARE(utc.activeCaption(TimeBase::Utc), QString("23:59 Utc"));
        ClockReading local = readClock(clock, TimeBase::Local);
        QCOMPARE(local.currentDate, QString("01/01/25"));
        QCOMPARE(local.activeCaption(TimeBase::Local), QString("00:59 Loc"));
    }
};

ORVEL_TEST_CLASS(TestEntryRules)
#include "tst_entryrules.moc"
