#include "widgets/WidgetDialogs.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace orvel;

namespace {

const QString kActivationLine =
    QStringLiteral("DFCF 76001   Q4XYZ/P    Chateau de Sassenot                 7625 76540 "
                   "Activation   07/12/26 Sassenot sur seine                 Q4ABC      ");

// What a modal box showed, read while it is open; then the button captioned `answer` is
// clicked.
struct Shown {
    bool standardBox = false;
    QStringList fixedPitchLines;
    bool wrapped = false;
    bool cut = false;
};

void readAndAnswer(Shown *shown, const QString &answer)
{
    QTimer::singleShot(0, [shown, answer] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        shown->standardBox = qobject_cast<QMessageBox *>(box) != nullptr;
        for (QLabel *label : box->findChildren<QLabel *>()) {
            if (QFontInfo(label->font()).fixedPitch())
                shown->fixedPitchLines.append(label->text());
            shown->wrapped = shown->wrapped || label->wordWrap();
            shown->cut = shown->cut || label->width() < label->sizeHint().width();
        }
        for (QPushButton *button : box->findChildren<QPushButton *>())
            if (button->text() == answer)
                QTest::mouseClick(button, Qt::LeftButton);
    });
}

} // namespace

// The message boxes as the user sees them.
class TestWidgetDialogs : public QObject
{
    Q_OBJECT

private slots:
    void quotedActivationLineKeepsItsColumns_data()
    {
        QTest::addColumn<QString>("newline");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CRLF") << "\r\n";
    }
    void quotedActivationLineKeepsItsColumns()
    {
        QFETCH(QString, newline);
        QCOMPARE(kActivationLine.size(), 139);
        WidgetDialogs dialogs;
        Shown shown;
        readAndAnswer(&shown, "Non");
        QVERIFY(!dialogs.question("Enregistrer l'activation ?" + newline + kActivationLine));
        QCOMPARE(shown.fixedPitchLines, QStringList{kActivationLine});
        QVERIFY(!shown.wrapped);
        QVERIFY(!shown.cut);

        readAndAnswer(&shown, "Oui");
        QVERIFY(dialogs.question("Enregistrer l'activation ?\n" + kActivationLine));
    }

    void proseStaysInAStandardBox()
    {
        WidgetDialogs dialogs;
        Shown shown;
        readAndAnswer(&shown, "Oui");
        QVERIFY(dialogs.question(
            " Nouveau règlement WFF \nSi en cours d'activation vous changez d'opérateur, n'oubliez "
            "pas d'indiquer son indicatif dans la case 'opérateur' avant la saisie du QSO "));
        QVERIFY(shown.standardBox);
        QVERIFY(shown.fixedPitchLines.isEmpty());
    }
};

ORVEL_TEST_CLASS(TestWidgetDialogs)
#include "tst_widgetdialogs.moc"
