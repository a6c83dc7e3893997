#include "EntryDesk.h"
#include "logging/Import_ADIF.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QLabel>
#include <QTableView>

using namespace orvel;
using namespace orvel::testing;

namespace {

const QString kLogged =
    formatQsoLine({"01/05/24", "10:00", "F4AAA", "", "", "59", "59", "SSB", "7", "", "Q1ABC"});

void writeAdi(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

Import_ADIF *importWindow(const EntryDesk &b)
{
    return b.window->findChild<Import_ADIF *>(QStringLiteral("Import_ADIF"));
}

} // namespace

// Fichiers → "Importer un fichier ADIF…" in the entry window, as the operator goes through it.
class TestImportWindow : public QObject
{
    Q_OBJECT

private slots:
    void previewsThenImportsIntoTheListAndTells()
    {
        EntryDesk b({kLogged});
        const QString path = b.platform.file("phone.adi");
        writeAdi(path, "<CALL:5>F4AAA <QSO_DATE:8>20240501 <TIME_ON:4>1001 <BAND:3>40m "
                       "<MODE:3>SSB <EOR>\n<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 "
                       "<BAND:3>20m <MODE:2>CW <EOR>\n<CALL:5>G4CCC <QSO_DATE:8>20240501 "
                       "<TIME_ON:4>0931 <BAND:4>23cm <MODE:2>CW <EOR>\n");
        b.platform.dialogs.files.push_back(path);
        b.action("Mnu_Import_ADIF")->trigger();
        QCOMPARE(b.platform.dialogs.fileCaptions, QStringList{"Importer un fichier ADIF"});

        Import_ADIF *window = importWindow(b);
        QVERIFY(window && window->isVisible());
        auto *table = window->findChild<QTableView *>("Liste_Import");
        QCOMPARE(table->model()->rowCount(), 3);
        const auto verdict = [table](int row) {
            return table->model()->index(row, table->model()->columnCount() - 1).data().toString();
        };
        QCOMPARE(verdict(0), QString("déjà dans le log"));
        QCOMPARE(verdict(1), QString("à importer"));
        QCOMPARE(verdict(2), QString("refusé : bande 23cm hors des bandes du log"));
        // A QSO that maps shows its fields as its log line holds them; a refused one its call.
        const auto cells = [table](int row) {
            QStringList shown;
            for (int column = 0; column < table->model()->columnCount() - 1; ++column)
                shown << table->model()->index(row, column).data().toString();
            return shown;
        };
        QCOMPARE(cells(1), (QStringList{"2", "01/05/24", "09:30", "G4BBB", "14", "CW"}));
        QCOMPARE(cells(2), (QStringList{"3", "", "", "G4CCC", "", ""}));
        QCOMPARE(window->findChild<QLabel *>("Bilan")->text(),
                 QString("1 QSO à importer, 1 déjà dans le log, 1 refusé\n"
                         "Logs : DFCF 89010, DMF 1234"));
        // Nothing is written before "Importer".
        QCOMPARE(b.log(kCurrent), QStringList{kLogged});

        QTest::mouseClick(window->findChild<QPushButton *>("Importer"), Qt::LeftButton);
        QCOMPARE(b.platform.dialogs.messages.last(),
                 QString("1 QSO importé, 1 déjà dans le log, 1 refusé\n"
                         "Enregistrement 3 (G4CCC) : bande 23cm hors des bandes du log"));
        QTRY_VERIFY(!importWindow(b));
        QCOMPARE(b.log(kOther).size(), 1);
        // The QSO stands in the list at its time; the next number and the count follow.
        auto *list = b.get<QAbstractItemView>("Liste_QSO");
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(list->model()->index(0, 0).data().toString().contains("G4BBB"));
        QCOMPARE(b.get("Num_Q")->text(), QString("3"));
        QCOMPARE(b.get("Tot_Oper")->text(), QString(" 2"));
    }

    void cancelledOrNotAdifWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("Annuler") << QByteArray("<CALL:5>G4BBB <QSO_DATE:8>20240501 <TIME_ON:4>0930 "
                                               "<BAND:3>20m <MODE:2>CW <EOR>")
                                 << QString();
        QTest::newRow("not ADIF") << QByteArray("F4AAA;01/05/24\n")
                                  << "n'est pas un fichier ADIF : il ne contient aucun champ ADIF";
    }
    void cancelledOrNotAdifWritesNothing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        EntryDesk b({kLogged});
        writeAdi(b.platform.file("phone.adi"), text);
        b.platform.dialogs.files.push_back(b.platform.file("phone.adi"));
        b.action("Mnu_Import_ADIF")->trigger();
        if (message.isEmpty()) {
            QVERIFY(importWindow(b));
            QTest::mouseClick(importWindow(b)->findChild<QPushButton *>("Annuler"), Qt::LeftButton);
            QCOMPARE(b.platform.dialogs.messages, QStringList());
        } else {
            QCOMPARE(b.platform.dialogs.messages.size(), 1);
            QVERIFY2(b.platform.dialogs.messages.first().contains(message),
                     qPrintable(b.platform.dialogs.messages.first()));
        }
        QTRY_VERIFY(!importWindow(b));
        QCOMPARE(b.log(kCurrent), QStringList{kLogged});
        QVERIFY(!QFile::exists(b.platform.file(kOther + ".txt")));
        QCOMPARE(b.focusName(), QString("Indi_Q"));
    }
};

ORVEL_TEST_CLASS(TestImportWindow)
#include "tst_importwindow.moc"
