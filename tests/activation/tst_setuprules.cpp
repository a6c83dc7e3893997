#include "activation/ActivationHistory.h"
#include "activation/SetupRules.h"
#include "records/ActivationList.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

using namespace orvel;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

Q_DECLARE_METATYPE(orvel::SetupField)

namespace {

QString line(const QString &reference, const QString &name = QStringLiteral("Chateau"))
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q4XYZ/P");
    a.name = name;
    a.postalCode = QStringLiteral("76540");
    a.type = QStringLiteral("Activation");
    a.date = QStringLiteral("12/06/05");
    a.commune = QStringLiteral("Sassenot");
    return formatActivationLine(a);
}

} // namespace

class TestSetupRules : public QObject
{
    Q_OBJECT

private slots:
    void checksFieldsOnEnter_data()
    {
        QTest::addColumn<SetupField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty when the field passes
        QTest::newRow("activator at 10") << SetupField::Activeur << "Q4XYZ/P123"
                                         << "";
        QTest::newRow("activator at 11") << SetupField::Activeur << "Q4XYZ/P1234"
                                         << "10 caracteres maxi";
        QTest::newRow("blanks around are not counted") << SetupField::Activeur << "  Q4XYZ/P123  "
                                                       << "";
        QTest::newRow("activator empty") << SetupField::Activeur << ""
                                         << "Nom de l'activeur obligatoire";
        QTest::newRow("blanks only count as empty") << SetupField::Activeur << "   "
                                                    << "Nom de l'activeur obligatoire";
        QTest::newRow("logger may be empty") << SetupField::Logger << ""
                                             << "";
        QTest::newRow("canton may be empty") << SetupField::NumCanton << ""
                                             << "";
        QTest::newRow("canton of 5") << SetupField::NumCanton << "76254"
                                     << "4 caracteres maxi";
        QTest::newRow("reference of 13") << SetupField::NumActivite << "DOHF 89EC001a"
                                         << "";
        QTest::newRow("reference of 14") << SetupField::NumActivite << "DOHF 89EC001ab"
                                         << "13 caracteres maxi";
        QTest::newRow("reference empty") << SetupField::NumActivite << ""
                                         << "Numero de l'activité obligatoire";
        QTest::newRow("name of 31")
            << SetupField::NomActivite << QString(31, 'a') << "30 caracteres maxi";
        QTest::newRow("name empty") << SetupField::NomActivite << ""
                                    << "Nom de l'activité obligatoire";
        QTest::newRow("postal code empty") << SetupField::NumCP << ""
                                           << "Numero du code postal obligatoire";
        QTest::newRow("commune of 27")
            << SetupField::NomCommune << QString(27, 'a') << "26 caracteres maxi";
        QTest::newRow("commune empty") << SetupField::NomCommune << ""
                                       << "Nom de la commune obligatoire";
        QTest::newRow("type of 13") << SetupField::TypeActivite << "Reactivations"
                                    << "12 caracteres maxi";
        QTest::newRow("type empty") << SetupField::TypeActivite << ""
                                    << "Type de l'activité obligatoire";
        QTest::newRow("date of 9") << SetupField::DateActivite << "12/06/2005"
                                   << "8 caracteres pour la date JJ/MM/AA";
        QTest::newRow("date of 5 passes") << SetupField::DateActivite << "12/06"
                                          << "";
        QTest::newRow("date empty") << SetupField::DateActivite << ""
                                    << "Date de l'activité obligatoire";
        QTest::newRow("character outside the file set")
            << SetupField::NomActivite << QStringLiteral("Château Ω")
            << QStringLiteral("Le caractère \"Ω\" n'est pas accepté (jeu de caractères Windows)");
        QTest::newRow("pasted tab") << SetupField::NomCommune << "Sassenot\tsur"
                                    << "Caractère de contrôle (code 9) refusé";
    }
    void checksFieldsOnEnter()
    {
        QFETCH(SetupField, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(fieldCheckMessage(field, text).value_or(QString()), message);
    }

    void appliesReferenceRulesInOrder_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        const QString blank =
            QStringLiteral("Attention indiquez le type d'activation (DFCF,DMF,TDC...) séparé "
                           "par un espace avant la référence\n") +
            QString(43, ' ') + QStringLiteral("Exemple DFCF 89010, DCPF 45PR001ou DMSM SA2587");
        QTest::newRow("valid") << "DFCF 89010"
                               << "";
        QTest::newRow("no blank") << "DFCF89010" << blank;
        QTest::newRow("slash before blank rule")
            << "DFCF89/010"
            << "Attention le caractere '/' est interdit dans la référence";
        QTest::newRow("backslash") << "DFCF 89\\01"
                                   << "Attention le caractere '\\' est interdit dans la référence";
        QTest::newRow("colon") << "DFCF 89:01"
                               << "Attention le caractere ':' est interdit dans la référence";
        QTest::newRow("star") << "DFCF 8*"
                              << "Attention le caractere '*' est interdit dans la référence";
        QTest::newRow("question mark")
            << "DFCF 8?"
            << "Attention le caractere '?' est interdit dans la référence";
        QTest::newRow("quote") << "DFCF \"8\""
                               << "Attention le caractere '\"' est interdit dans la référence";
        QTest::newRow("angle") << "DFCF <8>"
                               << "Attention le caractere '<' est interdit dans la référence";
        QTest::newRow("pipe") << "DFCF 8|9"
                              << "Attention le caractere '|' est interdit dans la référence";
        QTest::newRow("final dot") << "DFCF 89010."
                                   << "Attention la référence ne doit pas se terminer par un point";
        QTest::newRow("dots only") << ". .."
                                   << "Attention la référence ne doit pas se terminer par un point";
        QTest::newRow("inner dot") << "DFCF 89.010"
                                   << "";
    }
    void appliesReferenceRulesInOrder()
    {
        QFETCH(QString, reference);
        QFETCH(QString, message);
        QCOMPARE(referenceRuleMessage(reference).value_or(QString()), message);
    }

    void oldReferencesWithoutBlankStillNameALog()
    {
        QVERIFY(!referenceNameMessage(QStringLiteral("WWFF-0123")));
        QVERIFY(referenceNameMessage(QStringLiteral("DFCF 1/2")));
    }

    void capitalsOnlyForPlainLetters()
    {
        QCOMPARE(withCapitals(QStringLiteral("q4xyz/p éà")), QStringLiteral("Q4XYZ/P éà"));
    }

    void wffRuleIsCaseSensitive_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<bool>("wff");
        QTest::newRow("WWFF-0123") << "WWFF-0123" << true;
        QTest::newRow("F-WFF") << "F-WFF" << true;
        QTest::newRow("lower case") << "wwff-0123" << false;
        QTest::newRow("DFCF") << "DFCF 89010" << false;
    }
    void wffRuleIsCaseSensitive()
    {
        QFETCH(QString, reference);
        QFETCH(bool, wff);
        QCOMPARE(followsWffRule(reference), wff);
    }

    void findsTheGroupOfALine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<int>("count"); // -1 when the count is left as it was
        const QString a = line("DFCF 1"), b = line("DFCF 2"), c = line("DFCF 3"), x = line("DMF 9");
        QTest::newRow("middle of a group of three")
            << QStringList{a, b, c, "<eol>", "3"} << 1 << QStringList{"DFCF 1", "DFCF 2", "DFCF 3"}
            << 2;
        QTest::newRow("second block") << QStringList{x, "<eol>", "1", a, b, "<eol>", "2"} << 4
                                      << QStringList{"DFCF 1", "DFCF 2"} << 1;
        QTest::newRow("unclosed block")
            << QStringList{x, "<eol>", "1", a, b} << 3 << QStringList{} << -1;
        QTest::newRow("line left outside the block above it")
            << QStringList{x, a, b, "<eol>", "2"} << 0 << QStringList{} << -1;
        QTest::newRow("count larger than the block never opens a marker")
            << QStringList{x, "<eol>", "1", a, "<eol>", "5"} << 3 << QStringList{"DFCF 1"} << 1;
        QTest::newRow("unreadable count")
            << QStringList{a, "<eol>", "deux"} << 0 << QStringList{} << -1;
        QTest::newRow("a count line is no activation")
            << QStringList{a, "<eol>", "1"} << 2 << QStringList{} << -1;
    }
    void findsTheGroupOfALine()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, index);
        QFETCH(QStringList, open);
        QFETCH(int, count);
        const GroupLookup group = ActivationList::groupAt(lines, index);
        QCOMPARE(group.openReferences, open);
        QCOMPARE(group.count.value_or(-1), count);
    }

    void listsEntriesWithTheirLines()
    {
        TestPlatform platform;
        writeFile(platform.file("Liste_Activite.txt"),
                  {line("DFCF 1"), "<eol>", "1", line("DFCF 2"), line("DFCF 1")});
        const ActivationList list(platform.folder());
        const QList<ListEntry> entries = list.entries();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(1).reference, QStringLiteral("DFCF 2"));
        QCOMPARE(entries.at(1).line, 3);
        QCOMPARE(list.lastLineOf(QStringLiteral("DFCF 1")), 4);
        QCOMPARE(list.lastLineOf(QStringLiteral("1")), -1); // the count line
        QVERIFY(!list.exists(QStringLiteral("<eol>")));
    }

    void historyListsNewestFirstWithQsoCounts()
    {
        TestPlatform platform;
        writeFile(platform.file("Liste_Activite.txt"),
                  {line("DFCF 1", "Moulin"), line("DFCF 2"), "<eol>", "2", line("DMF 3")});
        // Blank lines, lines of spaces and any line end count no QSO.
        QFile log(platform.file("DFCF 1.txt"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("01/05/24  10:00  Q4AAA\r\n\r\n   \n01/05/24  10:01  Q4BBB\r");
        log.close();
        writeFile(platform.file("DMF 3.txt"), {});
        const QList<HistoryEntry> history = activationHistory(platform.folder());
        QCOMPARE(history.size(), 3);
        QCOMPARE(history.at(0).activation.reference, QStringLiteral("DMF 3"));
        QVERIFY(history.at(0).logExists);
        QCOMPARE(history.at(0).qsoCount, 0);
        QCOMPARE(history.at(1).activation.reference, QStringLiteral("DFCF 2"));
        QVERIFY(!history.at(1).logExists);
        QCOMPARE(history.at(2).activation.name, QStringLiteral("Moulin"));
        QCOMPARE(history.at(2).qsoCount, 2);
    }

    // A QSO stored in every log of a group is one QSO of the history.
    void historyCountsEachQsoOnce_data()
    {
        QTest::addColumn<QList<QStringList>>("logs"); // of DFCF 1, WFF 2, POTA 3 ("-": no log)
        QTest::addColumn<QString>("summary");
        const QString a = "01/05/24  10:00  Q4AAA", b = "01/05/24  10:01  Q4BBB",
                      c = "01/05/24  10:02  Q4CCC";
        QTest::newRow("the same QSOs in three logs, one log behind")
            << QList<QStringList>{{a, b}, {a, b, c}, {a, b, c}}
            << "3 activation(s), 3 QSO (dans 3 logs)";
        QTest::newRow("a line stored twice in one log is two QSOs")
            << QList<QStringList>{{a, a}, {a}, {"-"}} << "3 activation(s), 2 QSO (dans 2 logs)";
        QTest::newRow("logs of other QSOs add up")
            << QList<QStringList>{{a}, {b}, {c}} << "3 activation(s), 3 QSO (dans 3 logs)";
        QTest::newRow("one log") << QList<QStringList>{{a, b}, {"-"}, {"-"}}
                                 << "3 activation(s), 2 QSO (dans 1 log)";
    }
    void historyCountsEachQsoOnce()
    {
        QFETCH(QList<QStringList>, logs);
        QFETCH(QString, summary);
        TestPlatform platform;
        const QStringList references{"DFCF 1", "WFF 2", "POTA 3"};
        writeFile(
            platform.file("Liste_Activite.txt"),
            {line(references.at(0)), line(references.at(1)), line(references.at(2)), "<eol>", "3"});
        for (int i = 0; i < 3; ++i) {
            if (logs.at(i) != QStringList{"-"})
                writeFile(platform.file(references.at(i) + ".txt"), logs.at(i));
        }
        HistoryTotal total;
        const QList<HistoryEntry> history = activationHistory(platform.folder(), &total);
        QCOMPARE(historySummary(history.size(), total), summary);
        QCOMPARE(history.at(0).qsoCount, int(logs.at(2).count() - logs.at(2).count("-")));
    }

    void historyOfMissingListIsEmpty()
    {
        TestPlatform platform;
        QVERIFY(activationHistory(platform.folder()).isEmpty());
    }
};

ORVEL_TEST_CLASS(TestSetupRules)
#include "tst_setuprules.moc"
