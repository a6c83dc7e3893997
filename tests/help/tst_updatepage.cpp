// Built with the embedded browser only: without it the system's browser shows the page.
#ifdef ORVEL_WEBENGINE
#include "help/Mise_a_Jour.h"
#include "help/UpdatePage.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "support/TestRegistry.h"

using namespace orvel;

namespace {

QUrl writePage(const QTemporaryDir &dir, const QString &title)
{
    const QString path = dir.filePath(QStringLiteral("maj.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                              "<body><p>Dernière révision : 1.0.4c</p></body></html>")
                   .arg(title)
                   .toUtf8());
    return QUrl::fromLocalFile(path);
}

QList<Mise_a_Jour *> openUpdateWindows()
{
    QList<Mise_a_Jour *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<Mise_a_Jour *>(widget); window && window->isVisible())
            found.append(window);
    return found;
}

} // namespace

// The update window as the help menu opens it.
class TestUpdatePage : public QObject
{
    Q_OBJECT

private slots:
    void showsThePageInTheEmbeddedBrowser()
    {
        QTemporaryDir dir;
        const QUrl page = writePage(dir, QStringLiteral("Mise à jour d'Orvel Multi"));
        Mise_a_Jour window(page);
        window.show();
        QCOMPARE(window.windowTitle(), QString("Site https://q1brv.fr"));
        auto *browser = window.findChild<QWebEngineView *>("WebBrowser1");
        QVERIFY(browser);
        QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QString("Mise à jour d'Orvel Multi"), 20000);
    }

    void secondOpeningOnlyBringsTheWindowForward()
    {
        QTemporaryDir dir;
        const QUrl page = writePage(dir, QStringLiteral("Première"));
        QPointer<QWidget> first = openUpdatePage(page);
        QVERIFY(first);
        first->setAttribute(Qt::WA_DeleteOnClose);
        first->show();
        auto *browser = first->findChild<QWebEngineView *>("WebBrowser1");
        QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QString("Première"), 20000);

        // A page that changed since: an open window does not navigate again.
        writePage(dir, QStringLiteral("Seconde"));
        QCOMPARE(openUpdatePage(page), nullptr);
        QCOMPARE(openUpdateWindows().size(), 1);
        QTest::qWait(200);
        QCOMPARE(browser->title(), QString("Première"));

        // Closing unloads it; the next opening loads the page again.
        first->close();
        QTRY_VERIFY(!first);
        QPointer<QWidget> second = openUpdatePage(page);
        QVERIFY(second);
        second->show();
        QTRY_COMPARE_WITH_TIMEOUT(second->findChild<QWebEngineView *>("WebBrowser1")->title(),
                                  QString("Seconde"), 20000);
        delete second;
    }
};

ORVEL_TEST_CLASS(TestUpdatePage)
#include "tst_updatepage.moc"

#endif
