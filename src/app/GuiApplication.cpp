#include "GuiApplication.h"

#include "activation/Histo_Acti.h"
#include "activation/Setup.h"
#include "app/Diagnostics.h"
#include "export/ExportActions.h"
#include "help/Revision.h"
#include "help/UpdatePage.h"
#include "labels/Select_QSO.h"
#include "logging/Saisie_QSO.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/WidgetDialogs.h"
#include "platform/WindowBasics.h"
#include "platform/WorkingDirectory.h"
#include "records/Session.h"

#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>

namespace orvel {

WindowRouter::WindowRouter(Services &services, Setup &setup, Session &session, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_setup(setup)
    , m_session(session)
{
    connect(&m_setup, &Setup::entryWindowRequested, this, &WindowRouter::openEntryWindow);
    registerWindows();
}

void WindowRouter::openEntryWindow()
{
    // The entry window works on the session it was opened with: a new hand-over opens it anew.
    if (m_entry)
        m_entry->deleteLater();
    m_entry = new Saisie_QSO(m_services, m_session);
    m_entry->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_entry, &Saisie_QSO::windowRequested, this, &WindowRouter::openWindow);
    m_entry->show();
    m_entry->activateWindow();
}

void WindowRouter::showModeless(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    centreOnScreen(*window);
    window->activateWindow();
}

void WindowRouter::registerWindows()
{
    m_factories.insert(QStringLiteral("Mnu_ADIF"), [this] {
        QPointer<Saisie_QSO> entry = m_entry;
        exportAdif(m_session, m_services.clock, m_services.dialogs, [entry](const QString &title) {
            if (entry)
                entry->showListHeading(title);
        });
    });
    m_factories.insert(QStringLiteral("Mnu_C_Trafic"),
                       [this] { exportCTrafic(m_session, m_services.dialogs); });
    m_factories.insert(QStringLiteral("Histo_Acti"),
                       [this] { showModeless(new Histo_Acti(m_session.folder())); });
    m_factories.insert(QStringLiteral("Mnu_Historique"),
                       [this] { m_services.dialogs.message(m_setup.revisionHistory()); });
    m_factories.insert(QStringLiteral("Mnu_Mode_Emploi"),
                       [this] { m_services.dialogs.message(manualNotice()); });
    m_factories.insert(QStringLiteral("Mnu_A_Propos"),
                       [this] { m_services.dialogs.message(aboutText()); });
    m_factories.insert(QStringLiteral("Mnu_Maj"), [this] {
        if (QWidget *window = openUpdatePage())
            showModeless(window);
    });
    // An open selection window is only brought forward: its lists are kept.
    m_factories.insert(QStringLiteral("Mnu_Etiquettes"), [this] {
        if (m_labelSelection) {
            m_labelSelection->show();
            m_labelSelection->raise();
            m_labelSelection->activateWindow();
            return;
        }
        m_labelSelection = new Select_QSO(m_services, m_session, m_labelActivations);
        showModeless(m_labelSelection);
    });
    // The other windows (log views, labels, help) join here as they are built.
}

void WindowRouter::openWindow(const QString &menuObjectName)
{
    const auto factory = m_factories.constFind(menuObjectName);
    if (factory != m_factories.constEnd())
        (*factory)();
}

int runGui(QApplication &app, const QString &folderOption)
{
    installFrenchTranslations();
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setQuitOnLastWindowClosed(true);
    WidgetDialogs dialogs;
    QString error;
    const QString folder = chooseWorkingDirectory(
        folderOption, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), &error);
    if (folder.isEmpty()) {
        qCWarning(lcApp) << error;
        dialogs.message(error);
        return 1;
    }
    QtSettings settings;
    SystemClock clock;
    Services services{settings, clock, dialogs, folder};

    Session session(folder);
    Setup setup(services, session);
    WindowRouter router(services, setup, session);
    setup.show();
    return app.exec();
}

} // namespace orvel
