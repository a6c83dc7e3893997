#include "activation/Histo_Acti.h"
#include "activation/Setup.h"
#include "activation/SetupRules.h"
#include "common/Program.h"
#include "records/Activation.h"
#include "records/QsoLine.h"
#include "records/Session.h"
#include "records/UnfinishedWrites.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"
#include "widgets/Palette.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

using namespace orvel;
using orvel::testing::readBytes;
using orvel::testing::TestPlatform;
using orvel::testing::writeFile;

namespace {

struct Typed {
    QString activator = QStringLiteral("q4xyz/p");
    QString logger;
    QString reference = QStringLiteral("dfcf 89010");
    QString name = QStringLiteral("Chateau de Sassenot");
    QString canton;
    QString postalCode = QStringLiteral("76540");
    QString commune = QStringLiteral("Sassenot sur seine");
    QString type = QStringLiteral("Activation");
    QString date = QStringLiteral("120605");
};

Activation stored(const QString &reference, const QString &name = QStringLiteral("Moulin"))
{
    Activation a;
    a.reference = reference;
    a.activator = QStringLiteral("Q4ABC");
    a.name = name;
    a.postalCode = QStringLiteral("89000");
    a.type = QStringLiteral("Activation");
    a.date = QStringLiteral("01/05/24");
    a.commune = QStringLiteral("Auxerre");
    a.logger = QStringLiteral("Q4LOG");
    return a;
}

// Types text key by key; characters beyond ASCII go as key events carrying their text.
void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(target, QString(c));
        } else {
            QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace

class TestSetupWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<Setup> m_window;

    QString listPath() const { return m_platform->file(QStringLiteral("Liste_Activite.txt")); }
    ScriptedDialogs &dialogs() { return m_platform->dialogs; }

    void open()
    {
        m_session = std::make_unique<Session>(m_platform->folder());
        m_window = std::make_unique<Setup>(*m_services, *m_session);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    template <typename T = QWidget> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    QString text(const QString &name) const
    {
        if (name == QLatin1String("Type_Activite"))
            return child<QComboBox>(name)->currentText();
        return edit(name)->text();
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    QString focusedName() const
    {
        QWidget *widget = focused();
        if (widget && qobject_cast<QComboBox *>(widget->parentWidget()))
            widget = widget->parentWidget();
        return widget ? widget->objectName() : QString();
    }
    // Types into the field that has the focus and presses Enter, as the user does.
    void enter(const QString &typed)
    {
        QWidget *target = focused();
        QVERIFY(target);
        if (auto *line = qobject_cast<QLineEdit *>(target); line && !typed.isNull())
            line->selectAll();
        if (auto *combo = qobject_cast<QComboBox *>(target); combo && !typed.isNull())
            combo->lineEdit()->selectAll();
        if (!typed.isEmpty())
            typeText(target, typed);
        QTest::keyClick(focused(), Qt::Key_Return);
    }
    void pressFocused() { QTest::keyClick(focused(), Qt::Key_Return); }
    // From Activeur to the date, every field typed over.
    void typeActivation(const Typed &t)
    {
        for (const QString &value : {t.activator, t.logger, t.reference, t.name, t.canton,
                                     t.postalCode, t.commune, t.type, t.date})
            enter(value.isEmpty() ? QString("") : value);
    }
    void clickEntry(int row)
    {
        auto *list = child<QListView>(QStringLiteral("Liste_Activite"));
        const QModelIndex index = list->model()->index(row, 0);
        QVERIFY(index.isValid());
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    QStringList entries() const
    {
        auto *list = child<QListView>(QStringLiteral("Liste_Activite"));
        QStringList all;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            all.append(list->model()->index(row, 0).data().toString());
        return all;
    }
    QStringList opened() const { return m_window->openActivations(); }
    bool isGreen(const QString &name) const { return backgroundOf(child(name)) == kLightGreen; }

private slots:
    void init()
    {
        m_platform = std::make_unique<TestPlatform>();
        m_services = std::make_unique<Services>(Services{
            m_platform->settings, m_platform->clock, m_platform->dialogs, m_platform->folder()});
        dialogs().defaultAnswer = true;
    }
    void cleanup()
    {
        m_window.reset();
        m_services.reset();
        m_platform.reset();
    }

    void startsIdleWithTheListOfReferences()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1")),
                               formatActivationLine(stored("DFCF 2")), "<eol>", "2"});
        open();
        QCOMPARE(m_window->objectName(), QStringLiteral("Setup"));
        QCOMPARE(m_window->windowTitle(),
                 QStringLiteral("  Brivo_Orvel Multi    Revision  1.0.4c"));
        QCOMPARE(m_platform->settings.value(kAppMulti, kSetupSection, "Revision"),
                 QStringLiteral(" 1.0.4c"));
        QCOMPARE(m_platform->settings.value(kAppMulti, kSetupSection, "Chemin Repertoire"),
                 QDir::toNativeSeparators(m_platform->folder()));
        QCOMPARE(m_window->revisionHistory(), revisionHistory());
        QVERIFY(m_window->statusBar()->findChild<QLabel *>()->text().contains(
            QDir::toNativeSeparators(m_platform->folder())));
        QCOMPARE(entries(), (QStringList{"DFCF 1", "DFCF 2"}));
        QCOMPARE(focusedName(), QStringLiteral("Creer"));
        QVERIFY(isGreen("Creer"));
        QVERIFY(!child("Ajout")->isEnabled());
        QVERIFY(!child("Termine")->isEnabled());
        QVERIFY(child("Saisie_des_QSO")->isEnabled());
        QVERIFY(child("RAZ")->isEnabled());
        QCOMPARE(text("Nb_Multi"), QStringLiteral("0"));
        QVERIFY(opened().isEmpty());
        for (const QString &name :
             QStringList{"Activeur", "Logger", "Num_Activite", "Nom_Activite", "Num_Canton",
                         "Num_CP", "Nom_Commune", "Date_Activite"}) {
            QVERIFY2(!edit(name)->isEnabled(), qPrintable(name));
            QCOMPARE(backgroundOf(edit(name)), kLightYellow);
        }
        auto *type = child<QComboBox>("Type_Activite");
        QCOMPARE(type->currentText(), QStringLiteral("Activation"));
        QCOMPARE(type->count(), 3);
        QCOMPARE(type->itemText(1), QStringLiteral("Réactivation"));
        QCOMPARE(type->itemText(2), QStringLiteral("Résident"));
        auto *menu = m_window->findChild<QMenu *>("Mnu_Sep");
        QCOMPARE(menu->title(), QStringLiteral("&Séparateur date  \"/ \" Auto"));
        QVERIFY(m_window->findChild<QAction *>("Mnu_Sep_Oui")->isChecked());
        QVERIFY(!m_window->findChild<QAction *>("Mnu_Sep_Non")->isChecked());
        QVERIFY(child("Liste_Activite_Fin")->isHidden());
        QVERIFY(dialogs().shown.isEmpty());
    }

    void tabOrderFollowsTheLayout()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1")), "<eol>", "1"});
        open();
        clickEntry(0); // every field enabled
        child("Creer")->setEnabled(true);
        child("Ajout")->setEnabled(true);
        child("Termine")->setEnabled(true);
        child("Creer")->setFocus();
        const QStringList expected = {
            "Ajout",    "Termine",     "Saisie_des_QSO", "RAZ",          "Liste_Activite",
            "Activeur", "Logger",      "Num_Activite",   "Nom_Activite", "Num_Canton",
            "Num_CP",   "Nom_Commune", "Type_Activite",  "Date_Activite"};
        for (const QString &name : expected) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            QCOMPARE(focusedName(), name);
        }
    }

    void createsOneActivationWithTheKeyboardFromAnEmptyFolder()
    {
        open();
        QSignalSpy entry(m_window.get(), &Setup::entryWindowRequested);
        pressFocused(); // Creer
        QCOMPARE(focusedName(), QStringLiteral("Ajout"));
        QVERIFY(!child("Liste_Activite")->isEnabled());
        QVERIFY(isGreen("Ajout"));
        pressFocused(); // Ajout
        QCOMPARE(focusedName(), QStringLiteral("Activeur"));
        QVERIFY(isGreen("Activeur"));
        QVERIFY(!child("Saisie_des_QSO")->isEnabled());

        typeActivation({});
        const QString line =
            "DFCF 89010   Q4XYZ/P    Chateau de Sassenot                      76540 Activation   "
            "12/06/05 Sassenot sur seine                            ";
        QCOMPARE(line.size(), 139);
        QCOMPARE(dialogs().questions, QStringList{"Enregistrer l'activation ?\n" + line});
        QCOMPARE(dialogs().messages, QStringList{"Nouvelle Activation enregistrée"});
        QCOMPARE(readBytes(listPath()), crlf({line}));
        QVERIFY(QFileInfo::exists(m_platform->file("DFCF 89010.txt")));
        QCOMPARE(readBytes(m_platform->file("DFCF 89010.txt")), QByteArray());
        QCOMPARE(text("Date_Activite"), QStringLiteral("12/06/05"));
        QCOMPARE(text("Activeur"), QStringLiteral("Q4XYZ/P"));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("1"));
        QCOMPARE(entries(), QStringList{"DFCF 89010"});
        QCOMPARE(focusedName(), QStringLiteral("Ajout"));
        QVERIFY(isGreen("Ajout") && isGreen("Termine"));
        QVERIFY(child("Termine")->isEnabled());

        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focusedName(), QStringLiteral("Termine"));
        pressFocused();
        QCOMPARE(readBytes(listPath()), crlf({line, "<eol>", "1"}));
        QCOMPARE(opened(), QStringList{"DFCF 89010"});
        QVERIFY(child("Liste_Activite")->isEnabled());
        QVERIFY(!child("Ajout")->isEnabled() && !child("Termine")->isEnabled());
        QCOMPARE(focusedName(), QStringLiteral("Saisie_des_QSO"));
        QVERIFY(isGreen("Saisie_des_QSO"));

        dialogs().clear();
        pressFocused();
        QCOMPARE(dialogs().messages,
                 QStringList{"Activation en cours, pret pour continuer la saisie des QSO"});
        QCOMPARE(entry.count(), 1);
        QCOMPARE(m_window->currentActivation().reference, QStringLiteral("DFCF 89010"));
    }

    void fieldsChangedWithoutTheirEnterAreCheckedBeforeRegistering()
    {
        open();
        pressFocused(); // Creer
        pressFocused(); // Ajout
        const Typed t;
        for (const QString &value : {t.activator, t.logger, t.reference, t.name, t.canton,
                                     t.postalCode, t.commune, t.type})
            enter(value.isEmpty() ? QString("") : value);
        // The reference is changed with the mouse, then Enter is pressed in the date.
        edit("Num_Activite")->setText("../HORS DU DOSSIER");
        enter(t.date);
        QCOMPARE(dialogs().questions, QStringList());
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(focusedName(), QStringLiteral("Num_Activite"));
        QVERIFY(!QFileInfo::exists(listPath()));
        QVERIFY(!QFileInfo::exists(QDir(m_platform->folder()).filePath("../HORS DU DOSSIER.txt")));
    }

    void groupOfThreeIsWrittenAndReopenedWhole()
    {
        open();
        pressFocused(); // Creer
        for (const QString &reference : QStringList{"DFCF 1", "DMF 2", "DCPF 3"}) {
            pressFocused(); // Ajout
            Typed t;
            t.reference = reference;
            t.logger = QStringLiteral("q4log");
            typeActivation(t);
            // The half reset keeps what the activations of a group share.
            QCOMPARE(text("Logger"), QStringLiteral("Q4LOG"));
        }
        QCOMPARE(text("Nb_Multi"), QStringLiteral("3"));
        QCOMPARE(dialogs().messages.count("Nouvelle Activation enregistrée"), 3);
        QTest::mouseClick(child<QPushButton>("Termine"), Qt::LeftButton);
        const QStringList lines = QString::fromLatin1(readBytes(listPath())).split("\r\n");
        QCOMPARE(lines.size(), 6); // and the empty tail after the last CRLF
        QCOMPARE(lines.mid(3), (QStringList{"<eol>", "3", ""}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lines.at(i).size(), 139);
        QCOMPARE(opened(), (QStringList{"DFCF 1", "DMF 2", "DCPF 3"}));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("3"));

        // The next start reopens the group from any of its references.
        m_window.reset();
        open();
        clickEntry(1);
        QCOMPARE(opened(), (QStringList{"DFCF 1", "DMF 2", "DCPF 3"}));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("3"));
        QCOMPARE(text("Num_Activite"), QStringLiteral("DMF 2"));
        QVERIFY(!child("Creer")->isEnabled());
        QCOMPARE(focusedName(), QStringLiteral("Saisie_des_QSO"));
        QVERIFY(isGreen("Saisie_des_QSO"));
    }

    void refusesBadFieldsAndKeepsTheText_data()
    {
        QTest::addColumn<int>("field"); // index in the chain
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString blankRule =
            "Attention indiquez le type d'activation (DFCF,DMF,TDC...) séparé par un espace avant "
            "la référence\n" +
            QString(43, ' ') + "Exemple DFCF 89010, DCPF 45PR001ou DMSM SA2587";
        QTest::newRow("activator too long") << 0 << "Q4XYZ/P1234"
                                            << "10 caracteres maxi";
        QTest::newRow("activator empty") << 0 << ""
                                         << "Nom de l'activeur obligatoire";
        QTest::newRow("logger too long") << 1 << "Q4ABCDEFGHI"
                                         << "10 caracteres maxi";
        QTest::newRow("reference of 14") << 2 << "DOHF 89EC001AB"
                                         << "13 caracteres maxi";
        QTest::newRow("reference without blank") << 2 << "DFCF89010" << blankRule;
        QTest::newRow("slash before blank rule")
            << 2 << "DFCF89/010"
            << "Attention le caractere '/' est interdit dans la référence";
        QTest::newRow("colon") << 2 << "DFCF 89:10"
                               << "Attention le caractere ':' est interdit dans la référence";
        QTest::newRow("final dot") << 2 << "DFCF 89."
                                   << "Attention la référence ne doit pas se terminer par un point";
        QTest::newRow("reference of blanks") << 2 << "   "
                                             << "Numero de l'activité obligatoire";
        QTest::newRow("name too long") << 3 << QString(31, 'x') << "30 caracteres maxi";
        QTest::newRow("unknown character")
            << 3 << QStringLiteral("Moulin ΩΩ")
            << QStringLiteral("Le caractère \"Ω\" n'est pas accepté (jeu de caractères Windows)");
        QTest::newRow("canton too long") << 4 << "12345"
                                         << "4 caracteres maxi";
        QTest::newRow("postal code empty") << 5 << ""
                                           << "Numero du code postal obligatoire";
        QTest::newRow("commune too long") << 6 << QString(27, 'x') << "26 caracteres maxi";
        QTest::newRow("type empty") << 7 << ""
                                    << "Type de l'activité obligatoire";
        QTest::newRow("date too long") << 8 << "12/06/2005"
                                       << "8 caracteres pour la date JJ/MM/AA";
        QTest::newRow("date empty") << 8 << ""
                                    << "Date de l'activité obligatoire";
    }
    void refusesBadFieldsAndKeepsTheText()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        open();
        QTest::mouseClick(child<QPushButton>("RAZ"), Qt::LeftButton);
        const Typed good;
        const QStringList values = {good.activator, good.logger, good.reference,
                                    good.name,      good.canton, good.postalCode,
                                    good.commune,   good.type,   good.date};
        for (int i = 0; i < field; ++i)
            enter(values.at(i).isEmpty() ? QString("") : values.at(i));
        const QString name = focusedName();
        QCOMPARE(name, setupFieldRule(setupFieldAt(field)).objectName);
        if (field == 8)
            child<QAction>("Mnu_Sep_Non")->trigger();
        enter(typed.isEmpty() ? QString("") : typed);
        QCOMPARE(dialogs().messages, QStringList{message});
        QCOMPARE(focusedName(), name);
        QVERIFY(isGreen(name));
        QCOMPARE(text(name), typed);
        QVERIFY(!QFileInfo::exists(listPath()));
    }

    void lettersBecomeCapitalsOnlyWhereTheRuleSays()
    {
        open();
        QTest::mouseClick(child<QPushButton>("RAZ"), Qt::LeftButton);
        typeText(focused(), QStringLiteral("q4xyz/pé"));
        QCOMPARE(text("Activeur"), QStringLiteral("Q4XYZ/Pé"));
        enter("q4xyz/p");
        enter("");
        enter("dfcf 1");
        QTest::keyClicks(focused(), "chateau");
        QCOMPARE(text("Nom_Activite"), QStringLiteral("chateau"));
    }

    void duplicateReferenceAskedNonThenOui()
    {
        const QString old = formatActivationLine(stored("DFCF 89010", "Chateau ancien"));
        writeFile(listPath(), {old, "<eol>", "1"});
        open();
        pressFocused(); // Creer
        pressFocused(); // Ajout
        enter("q4new");
        enter("");
        dialogs().answers = {false};
        enter("dfcf 89010");
        const QString question = "Attention l'activité existe deja, continuer ?\n"
                                 "Si OUI tous les QSO seront perdus\n"
                                 "Si NON indicez la reference, exemple '_a'";
        QCOMPARE(dialogs().questions, QStringList{question});
        QCOMPARE(focusedName(), QStringLiteral("Num_Activite"));
        dialogs().answers = {true};
        enter(QString()); // Enter again on the same text
        QCOMPARE(focusedName(), QStringLiteral("Nom_Activite"));
        Typed rest;
        for (const QString &value :
             {rest.name, QString(""), rest.postalCode, rest.commune, rest.type, rest.date})
            enter(value);
        // The stored description comes back; no registration question.
        QCOMPARE(dialogs().questions.size(), 2);
        QCOMPARE(text("Activeur"), QStringLiteral("Q4ABC"));
        QCOMPARE(text("Nom_Activite"), QStringLiteral("Chateau ancien"));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("1"));

        // A new reference completes the group; the stored line joins the new block.
        pressFocused(); // Ajout
        Typed second;
        second.reference = QStringLiteral("dmf 77");
        typeActivation(second);
        QTest::mouseClick(child<QPushButton>("Termine"), Qt::LeftButton);
        const QStringList lines = QString::fromLatin1(readBytes(listPath())).split("\r\n");
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.mid(0, 4), (QStringList{old, "<eol>", "1", old}));
        QVERIFY(lines.at(4).startsWith("DMF 77       Q4XYZ/P"));
        QCOMPARE(lines.at(4).size(), 139);
        QCOMPARE(lines.mid(5), (QStringList{"<eol>", "2", ""}));
        QCOMPARE(opened(), (QStringList{"DFCF 89010", "DMF 77"}));
        QCOMPARE(entries(), (QStringList{"DFCF 89010", "DFCF 89010", "DMF 77"}));

        for (int row : {1, 2}) {
            clickEntry(row);
            QCOMPARE(opened(), (QStringList{"DFCF 89010", "DMF 77"}));
        }
        clickEntry(0); // the old group keeps its own block
        QCOMPARE(opened(), QStringList{"DFCF 89010"});
    }

    void sameReferenceTwiceInOneGroupIsRefused()
    {
        open();
        pressFocused();
        pressFocused();
        typeActivation({});
        pressFocused(); // Ajout
        dialogs().clear();
        enter("");
        enter("");
        enter("dfcf 89010");
        QCOMPARE(dialogs().messages,
                 QStringList{"La référence DFCF 89010 fait déjà partie de ce groupe"});
        QCOMPARE(focusedName(), QStringLiteral("Num_Activite"));
    }

    void dateSeparatorFollowsTheMenu()
    {
        open();
        QTest::mouseClick(child<QPushButton>("RAZ"), Qt::LeftButton);
        Typed t;
        for (const QString &value : {t.activator, QString(""), t.reference, t.name, QString(""),
                                     t.postalCode, t.commune, t.type})
            enter(value);
        QLineEdit *date = edit("Date_Activite");
        QCOMPARE(focused(), date);
        QTest::keyClicks(date, "120605");
        QCOMPARE(date->text(), QStringLiteral("12/06/05"));
        QTest::keyClick(date, Qt::Key_Backspace);
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QStringLiteral("12/06/"));
        // Backspace in the middle removes the last character.
        date->setCursorPosition(1);
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QStringLiteral("12/06"));
        QTest::keyClicks(date, "/");
        QCOMPARE(date->text(), QStringLiteral("12/06//"));

        date->clear();
        child<QAction>("Mnu_Sep_Non")->trigger();
        QVERIFY(!child<QAction>("Mnu_Sep_Oui")->isChecked());
        QTest::keyClicks(date, "120605");
        QCOMPARE(date->text(), QStringLiteral("120605"));
        date->setCursorPosition(1);
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QStringLiteral("20605"));

        child<QAction>("Mnu_Sep_Oui")->trigger();
        date->setText("12/06");
        QTest::keyClick(date, Qt::Key_Return);
        // Registered with the five characters, then the separator follows.
        QVERIFY(dialogs().questions.at(0).contains("12/06    Sassenot"));
        QCOMPARE(date->text(), QStringLiteral("12/06/"));
    }

    void nonToRegistrationEmptiesTheFields()
    {
        open();
        pressFocused();
        pressFocused();
        dialogs().answers = {false};
        typeActivation({});
        QCOMPARE(dialogs().questions.size(), 1);
        QVERIFY(dialogs().messages.isEmpty());
        QVERIFY(!QFileInfo::exists(listPath()));
        QVERIFY(!QFileInfo::exists(m_platform->file("DFCF 89010.txt")));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("0"));
        for (int i = 0; i < kSetupFieldCount; ++i) {
            const QString name = setupFieldRule(setupFieldAt(i)).objectName;
            QVERIFY2(text(name).isEmpty(), qPrintable(name));
            QCOMPARE(child(name)->isEnabled(), i == 0);
        }
        QCOMPARE(focusedName(), QStringLiteral("Activeur"));
        QVERIFY(isGreen("Activeur"));
    }

    void secondCreationWritesItsOwnGroup()
    {
        open();
        pressFocused();
        pressFocused();
        typeActivation({});
        QTest::mouseClick(child<QPushButton>("Termine"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("Creer"), Qt::LeftButton);
        QCOMPARE(text("Nb_Multi"), QStringLiteral("0"));
        pressFocused(); // Ajout
        Typed t;
        t.reference = QStringLiteral("dmf 5");
        typeActivation(t);
        QTest::mouseClick(child<QPushButton>("Termine"), Qt::LeftButton);
        const QStringList lines = QString::fromLatin1(readBytes(listPath())).split("\r\n");
        QCOMPARE(lines.mid(1, 2), (QStringList{"<eol>", "1"}));
        QCOMPARE(lines.mid(4), (QStringList{"<eol>", "1", ""}));
        QCOMPARE(opened(), QStringList{"DMF 5"});
        QCOMPARE(text("Nb_Multi"), QStringLiteral("1"));
    }

    void termineAfterARefusedRegistrationWritesNoEmptyBlock()
    {
        open();
        pressFocused();
        pressFocused();
        dialogs().answers = {false};
        typeActivation({});
        QTest::mouseClick(child<QPushButton>("Termine"), Qt::LeftButton);
        QVERIFY(!QFileInfo::exists(listPath()));
    }

    void reopensTheLaterLineOfAReference_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("commune");
        QTest::addColumn<QStringList>("expected");
        const QString first = formatActivationLine(stored("DFCF 1", "Premier"));
        const QString later = formatActivationLine(stored("DFCF 1", "Second"));
        const QString thirteen = formatActivationLine(stored("DOHF 89EC001a"));
        QTest::newRow("later line wins") << QStringList{first, later, "<eol>", "2"} << 0 << "Second"
                                         << "Auxerre" << QStringList{"DFCF 1", "DFCF 1"};
        QTest::newRow("thirteen characters") << QStringList{thirteen} << 0 << "Moulin"
                                             << "Auxerre" << QStringList{"DOHF 89EC001a"};
        QTest::newRow("old 93-character line") << QStringList{first.left(93)} << 0 << "Premier"
                                               << "" << QStringList{"DFCF 1"};
        QTest::newRow("unclosed block opens the reference alone")
            << QStringList{first, formatActivationLine(stored("DMF 2"))} << 1 << "Moulin"
            << "Auxerre" << QStringList{"DMF 2"};
    }
    void reopensTheLaterLineOfAReference()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, commune);
        QFETCH(QStringList, expected);
        writeFile(listPath(), lines);
        open();
        clickEntry(row);
        QCOMPARE(text("Nom_Activite"), name);
        QCOMPARE(text("Nom_Commune"), commune);
        QCOMPARE(opened(), expected);
        for (int i = 0; i < kSetupFieldCount; ++i)
            QVERIFY(child(setupFieldRule(setupFieldAt(i)).objectName)->isEnabled());
    }

    void reopeningAfterRazAllowsEntry()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1")), "<eol>", "1"});
        open();
        QTest::mouseClick(child<QPushButton>("RAZ"), Qt::LeftButton);
        QVERIFY(!child("Saisie_des_QSO")->isEnabled());
        clickEntry(0);
        QVERIFY(child("Saisie_des_QSO")->isEnabled());
        QCOMPARE(focusedName(), QStringLiteral("Saisie_des_QSO"));
    }

    void keyboardReopensTheCurrentEntry()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1")),
                               formatActivationLine(stored("DFCF 2")), "<eol>", "2"});
        open();
        auto *list = child<QListView>("Liste_Activite");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(text("Num_Activite"), QStringLiteral("DFCF 2"));
        QCOMPARE(opened(), (QStringList{"DFCF 1", "DFCF 2"}));
    }

    void saisieDesQsoChecksAndWarns_data()
    {
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<bool>("logExists");
        QTest::addColumn<int>("wffMessages");
        QTest::newRow("new log") << QStringList{"DFCF 1"} << false << 0;
        QTest::newRow("log in progress") << QStringList{"DFCF 1"} << true << 0;
        QTest::newRow("WWFF and F-WFF, not lower case")
            << QStringList{"DFCF 1", "WWFF-0123", "F-WFF 2", "wwff 3"} << false << 2;
    }
    void saisieDesQsoChecksAndWarns()
    {
        QFETCH(QStringList, group);
        QFETCH(bool, logExists);
        QFETCH(int, wffMessages);
        QStringList lines;
        for (const QString &reference : group)
            lines.append(formatActivationLine(stored(reference)));
        lines << "<eol>" << QString::number(group.size());
        writeFile(listPath(), lines);
        if (logExists)
            writeFile(m_platform->file("DFCF 1.txt"), {"01/05/24  10:00"});
        open();
        QSignalSpy entry(m_window.get(), &Setup::entryWindowRequested);
        clickEntry(0);
        pressFocused();
        QStringList expected = {logExists
                                    ? "Activation en cours, pret pour continuer la saisie des QSO"
                                    : "Nouvelle Activation, pret pour demarrer la saisie des QSO"};
        for (int i = 0; i < wffMessages; ++i)
            expected << wffRuleMessage();
        QCOMPARE(dialogs().messages, expected);
        QCOMPARE(entry.count(), 1);
        QVERIFY(QFileInfo::exists(m_platform->file("DFCF 1.txt")));
        QCOMPARE(readBytes(m_platform->file("DFCF 1.txt")).isEmpty(), !logExists);
        QCOMPARE(opened(), group);
    }

    // A store killed between the two logs of the group: "Saisie des QSO" offers the line the
    // second log lacks before the entry window opens, and Oui copies it.
    void saisieDesQsoOffersTheLinesAnInterruptedStoreLeftOut()
    {
        const QStringList group{"DFCF 1", "DMF 2"};
        writeFile(listPath(), {formatActivationLine(stored(group[0])),
                               formatActivationLine(stored(group[1])), "<eol>", "2"});
        const QString earlier = formatQsoLine(
            QsoRecord{"01/05/24", "10:00", "F1AAA", "89", "", "59", "59", "SSB", "7", "", ""});
        const QString stopped = formatQsoLine(
            QsoRecord{"01/05/24", "10:05", "F2BBB", "21", "", "59", "59", "SSB", "7", "", ""});
        writeFile(m_platform->file("DFCF 1.txt"), {earlier, stopped});
        writeFile(m_platform->file("DMF 2.txt"), {earlier});
        WriteJournal(m_platform->folder()).begin(group, {stopped.toLatin1()});
        open();
        QSignalSpy entry(m_window.get(), &Setup::entryWindowRequested);
        clickEntry(0);
        pressFocused();
        QCOMPARE(dialogs().questions.size(), 1);
        QVERIFY(dialogs().questions.first().contains("Il manque au log DMF 2 la ligne :\n" +
                                                     stopped + "\n"));
        QCOMPARE(entry.count(), 1);
        QCOMPARE(readBytes(m_platform->file("DMF 2.txt")), crlf({earlier, stopped}));
        QVERIFY(!QFileInfo::exists(WriteJournal(m_platform->folder()).path()));
    }

    void saisieDesQsoNeedsTheThreeFirstFields()
    {
        open();
        QSignalSpy entry(m_window.get(), &Setup::entryWindowRequested);
        QTest::mouseClick(child<QPushButton>("Saisie_des_QSO"), Qt::LeftButton);
        QCOMPARE(dialogs().messages, QStringList{"Les trois premiers champs sont obligatoires"});
        QCOMPARE(entry.count(), 0);
    }

    void saisieDesQsoRefusesAReferenceThatNamesNoFile()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1")), "<eol>", "1"});
        open();
        QSignalSpy entry(m_window.get(), &Setup::entryWindowRequested);
        clickEntry(0);
        edit("Num_Activite")->setText("DFCF ../1");
        QTest::mouseClick(child<QPushButton>("Saisie_des_QSO"), Qt::LeftButton);
        QCOMPARE(dialogs().messages,
                 QStringList{"Attention le caractere '/' est interdit dans la référence"});
        QCOMPARE(entry.count(), 0);
    }

    // A received or hand-edited list naming files outside the data folder opens nothing.
    void aReferenceThatLeavesTheFolderIsNotOpened_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("the reference itself") << 0;
        QTest::newRow("another reference of its group") << 1;
    }
    void aReferenceThatLeavesTheFolderIsNotOpened()
    {
        QFETCH(int, row);
        writeFile(listPath(), {formatActivationLine(stored("../x/DMSM")),
                               formatActivationLine(stored("DFCF 1")), "<eol>", "2"});
        open();
        clickEntry(row);
        QCOMPARE(dialogs().messages,
                 QStringList{"La référence « ../x/DMSM » ne peut pas être ouverte : aucun fichier "
                             "ne peut porter ce nom.\nAttention le caractere '/' est interdit "
                             "dans la référence"});
        QCOMPARE(opened(), QStringList());
        QCOMPARE(text("Num_Activite"), QString());
    }

    void unwritableListIsReportedAndNothingCounted()
    {
        // A folder in place of the list file: no write can succeed.
        QVERIFY(QDir(m_platform->folder()).mkdir("Liste_Activite.txt"));
        open();
        pressFocused();
        pressFocused();
        typeActivation({});
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().messages.at(0).contains("Liste_Activite.txt"));
        QCOMPARE(text("Nb_Multi"), QStringLiteral("0"));
        QVERIFY(!QFileInfo::exists(m_platform->file("DFCF 89010.txt")));
    }

    void historyWindowListsNewestFirst()
    {
        writeFile(listPath(), {formatActivationLine(stored("DFCF 1", "Moulin")),
                               formatActivationLine(stored("DMF 2", "Chateau")), "<eol>", "2"});
        writeFile(m_platform->file("DFCF 1.txt"), {"01/05/24  10:00", "01/05/24  10:05"});
        Session session(m_platform->folder(), stored("DFCF 1", "Moulin"), {"DFCF 1", "DMF 2"});
        Histo_Acti history(session);
        QCOMPARE(history.objectName(), QStringLiteral("Histo_Acti"));
        QCOMPARE(history.windowTitle(), QStringLiteral("L'historique des activations"));
        auto *table = history.findChild<QTableWidget *>();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("DMF 2"));
        QCOMPARE(table->item(0, 7)->text(), QStringLiteral("pas de log"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("Moulin"));
        QCOMPARE(table->item(1, 7)->text(), QStringLiteral("2"));
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        auto *summary = history.findChild<QLabel *>("Resume");
        QCOMPARE(summary->text(), QStringLiteral("2 activation(s), 2 QSO (dans 1 log)"));

        // A QSO stored through the session is in both logs, and one QSO more.
        QVERIFY(session.append("01/05/24  10:09").ok());
        QTRY_COMPARE(table->item(0, 7)->text(), QStringLiteral("1"));
        QCOMPARE(table->item(1, 7)->text(), QStringLiteral("3"));
        QCOMPARE(summary->text(), QStringLiteral("2 activation(s), 3 QSO (dans 2 logs)"));
    }
};

ORVEL_TEST_CLASS(TestSetupWindow)
#include "tst_setupwindow.moc"
