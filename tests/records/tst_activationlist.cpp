#include "records/ActivationList.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace orvel;

namespace {

Activation activation(const QString &reference, const QString &activator = "Q4XYZ/P")
{
    Activation a;
    a.reference = reference;
    a.activator = activator;
    a.name = "Chateau de Sassenot";
    a.canton = "7625";
    a.postalCode = "76540";
    a.type = "Activation";
    a.date = "12/11/05";
    a.commune = "Sassenot sur seine";
    a.logger = "Q4ABC";
    return a;
}

QString line(const QString &reference)
{
    return formatActivationLine(activation(reference));
}

} // namespace

class TestActivationList : public QObject
{
    Q_OBJECT

private slots:
    void laysOutTheLineInFixedColumns()
    {
        const QString text = line("DFCF 89010");
        QCOMPARE(text.size(), kActivationLineLength);
        QCOMPARE(text.mid(0, 13), QString("DFCF 89010   "));
        QCOMPARE(text.mid(13, 11), QString("Q4XYZ/P    "));
        QCOMPARE(text.mid(24, 36), QString("Chateau de Sassenot").leftJustified(36));
        QCOMPARE(text.mid(60, 5), QString("7625 "));
        QCOMPARE(text.mid(65, 6), QString("76540 "));
        QCOMPARE(text.mid(71, 13), QString("Activation   "));
        QCOMPARE(text.mid(84, 9), QString("12/11/05 "));
        QCOMPARE(text.mid(93, 35), QString("Sassenot sur seine").leftJustified(35));
        QCOMPARE(text.mid(128, 11), QString("Q4ABC      "));
        QCOMPARE(parseActivationLine(text), activation("DFCF 89010"));
    }

    void readsEdgeLayouts()
    {
        // A 13-character reference touches the activator.
        const QString full = line("DOHF 89EC001a");
        QCOMPARE(full.left(20), QString("DOHF 89EC001aQ4XYZ/P"));
        QCOMPARE(referenceOfLine(full), QString("DOHF 89EC001a"));
        QCOMPARE(parseActivationLine(full).activator, QString("Q4XYZ/P"));
        // The older 93-character layout has no commune and no logger.
        const Activation old = parseActivationLine(full.left(kOldActivationLineLength));
        QCOMPARE(old.date, QString("12/11/05"));
        QVERIFY(old.commune.isEmpty());
        QVERIFY(old.logger.isEmpty());
        // Values are trimmed and never overflow their column.
        Activation a = activation("  DMF 12  ");
        a.activator = "Q4VERYLONGCALL";
        a.name = "Nom\r\navec saut";
        const QString text = formatActivationLine(a);
        QCOMPARE(text.size(), kActivationLineLength);
        QCOMPARE(referenceOfLine(text), QString("DMF 12"));
        QCOMPARE(text.mid(13, 11), QString("Q4VERYLONG "));
        QCOMPARE(parseActivationLine(text).name, QString("Nom  avec saut"));
        // A short or empty line gives empty fields.
        QCOMPARE(parseActivationLine(QString()), Activation());
    }

    void listsReferencesWithoutBlockLines()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file(kActivationListFile),
                           {line("A"), line("B"), "<eol>", "2", line("C"), line("A")});
        ActivationList list(p.folder());
        QCOMPARE(list.references(), QStringList({"A", "B", "C", "A"}));
        QVERIFY(list.exists("C"));
        QVERIFY(!list.exists("c"));
    }

    void missingFileIsAnEmptyList()
    {
        testing::TestPlatform p;
        ActivationList list(p.folder());
        QVERIFY(list.references().isEmpty());
        QVERIFY(!list.find("A"));
        QVERIFY(!list.exists("A"));
        QVERIFY(list.openGroupAt(list.lastLineOf("A")).openReferences.isEmpty());
    }

    void laterLineWinsOnFind()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file(kActivationListFile),
                           {line("A"), formatActivationLine(activation("A", "Q4NEW"))});
        const auto found = ActivationList(p.folder()).find("A");
        QVERIFY(found.has_value());
        QCOMPARE(found->activator, QString("Q4NEW"));
    }

    void looksUpTheWholeGroup_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<int>("count");
        const QStringList threeGroup = {line("X"), "<eol>", "1", line("A"), line("B"), line("C"),
                                        "<eol>", "3", line("D"), "<eol>", "1"};
        QTest::newRow("first of group") << threeGroup << "A" << QStringList({"A", "B", "C"}) << 3;
        QTest::newRow("middle of group") << threeGroup << "B" << QStringList({"A", "B", "C"}) << 2;
        QTest::newRow("last of group") << threeGroup << "C" << QStringList({"A", "B", "C"}) << 1;
        QTest::newRow("single group") << threeGroup << "D" << QStringList({"D"}) << 1;
        QTest::newRow("first block") << threeGroup << "X" << QStringList({"X"}) << 1;
        QTest::newRow("unclosed block opens nothing")
            << QStringList({line("A"), "<eol>", "1", line("B")}) << "B" << QStringList() << -1;
    }
    void looksUpTheWholeGroup()
    {
        QFETCH(QStringList, file);
        QFETCH(QString, reference);
        QFETCH(QStringList, open);
        QFETCH(int, count);
        testing::TestPlatform p;
        testing::writeFile(p.file(kActivationListFile), file);
        const ActivationList list(p.folder());
        const GroupLookup group = ActivationList::groupAt(list.lines(), list.lastLineOf(reference));
        QCOMPARE(group.openReferences, open);
        QCOMPARE(group.count.value_or(-1), count);
    }

    void unclosedBlockOpensTheReferenceAlone()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file(kActivationListFile), {line("A"), "<eol>", "1", line("B")});
        ActivationList list(p.folder());
        QCOMPARE(list.openGroupAt(list.lastLineOf("B")).openReferences, QStringList({"B"}));
        QCOMPARE(list.openGroupAt(list.lastLineOf("A")).openReferences, QStringList({"A"}));
        QCOMPARE(list.openGroupAt(list.lastLineOf("Z")).openReferences, QStringList());
    }

    void registersInPlaceOrAtTheEnd()
    {
        testing::TestPlatform p;
        testing::writeFile(p.file(kActivationListFile), {line("A"), line("B"), "<eol>", "2"});
        ActivationList list(p.folder());
        Activation changed = activation("A");
        changed.date = "01/02/24";
        QVERIFY(list.registerLine(formatActivationLine(changed)).ok);
        QVERIFY(list.registerLine(line("C")).ok);
        QCOMPARE(list.lines(), QStringList({formatActivationLine(changed), line("B"), "<eol>", "2",
                                            line("C")}));
        QVERIFY(list.closeGroup(1).ok);
        QVERIFY(testing::readBytes(p.file(kActivationListFile)).endsWith("\r\n<eol>\r\n1\r\n"));
        QCOMPARE(testing::scratchFiles(p.folder()), QStringList());
    }

    void neverReplacesAListItCannotRead()
    {
        testing::TestPlatform p;
        QVERIFY(QDir(p.folder()).mkdir(kActivationListFile));
        const FileResult result = ActivationList(p.folder()).registerLine(line("A"));
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains("ne peut pas être lu"));
    }

    void registersIntoMissingFile()
    {
        testing::TestPlatform p;
        ActivationList list(p.folder());
        QVERIFY(list.registerLine(line("A")).ok);
        QCOMPARE(testing::readBytes(p.file(kActivationListFile)),
                 line("A").toLatin1() + QByteArray("\r\n"));
    }
};

ORVEL_TEST_CLASS(TestActivationList)
#include "tst_activationlist.moc"
