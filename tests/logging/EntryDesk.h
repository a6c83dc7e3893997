// The entry window on two open activations, with the platform doubles, driven at the
// keyboard and mouse as an operator does.
#pragma once

#include "records/Session.h"
#include "common/TextFile.h"
#include "logging/Saisie_QSO.h"
#include "platform/Services.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace orvel::testing {

inline const QString kCurrent = QStringLiteral("DFCF 89010");
inline const QString kOther = QStringLiteral("DMF 1234");

struct EntryDesk {
    TestPlatform platform;
    Session session{platform.folder()};
    Services services{platform.settings, platform.clock, platform.dialogs, platform.folder()};
    std::unique_ptr<Saisie_QSO> window;

    // The logs given are written before the window opens.
    explicit EntryDesk(const QStringList &current = {}, const QStringList &other = {})
    {
        if (!current.isEmpty())
            writeFile(platform.file(kCurrent + ".txt"), current);
        if (!other.isEmpty())
            writeFile(platform.file(kOther + ".txt"), other);
        open();
    }
    // Opens the window (anew), as the setup window's hand-over does.
    void open()
    {
        session.open(Activation{kCurrent, "Q1ABC/P", "Château", "12", "89000", "DFCF", "01/05/24",
                                "Auxerre", ""},
                     {kCurrent, kOther});
        window = std::make_unique<Saisie_QSO>(services, session);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename W = QLineEdit> W *get(const char *name) const
    {
        W *widget = window->findChild<W *>(QLatin1String(name));
        Q_ASSERT(widget);
        return widget;
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(name); }
    QWidget *focus() const { return QApplication::focusWidget(); }
    QString focusName() const { return focus() ? focus()->objectName() : QString(); }

    void type(const QString &text) { QTest::keyClicks(focus(), text); }
    void enter() { QTest::keyClick(focus(), Qt::Key_Return); }
    void line(const QString &text)
    {
        type(text);
        enter();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus(), key, modifiers);
    }
    void click(const char *button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    // A click on a line of Liste_QSO, counted from 0.
    void chooseRow(int row)
    {
        auto *list = get<QAbstractItemView>("Liste_QSO");
        const QRect place = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(list->currentIndex().row(), row);
    }
    void clearField(const char *name) { get(name)->clear(); }

    QStringList log(const QString &reference) const
    {
        return readLines(QDir(platform.folder()).filePath(reference + ".txt"));
    }
    QStringList firstNames() const { return readLines(platform.file("Liste_Prenom.txt")); }
    QString setting(const QString &key) const
    {
        return platform.settings.value(kAppMulti, kSetupSection, key);
    }
    // A foreign call sign through to Valide_Q with the default values.
    void logForeign(const QString &call)
    {
        line(call);
        enter();
        enter();
        enter();
        enter();
        QCOMPARE(focusName(), QString("Valide_Q"));
        enter();
    }
};

} // namespace orvel::testing
