#include "GuiApplication.h"

#include "activation/Histo_Acti.h"
#include "activation/Setup.h"
#include "common/SafeWrite.h"
#include "export/ExportActions.h"
#include "help/Revision.h"
#include "logging/EntryForm.h"
#include "logging/Saisie_QSO.h"
#include "platform/Clock.h"
#include "platform/DataFolderLock.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/WidgetDialogs.h"
#include "platform/WorkingDirectory.h"

#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTextStream>

namespace orvel {

WindowRouter::WindowRouter(Services &services, Setup &setup, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_setup(setup)
{
    connect(&m_setup, &Setup::entryWindowRequested, this, &WindowRouter::openEntryWindow);
}

void WindowRouter::openEntryWindow()
{
    // The entry window reads the open activations at its load: a new hand-over opens it anew.
    if (m_entry)
        m_entry->deleteLater();
    m_entry = new Saisie_QSO(m_services, m_setup);
    m_entry->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_entry, &Saisie_QSO::windowRequested, this, &WindowRouter::openWindow);
    connect(m_entry, &Saisie_QSO::closed, qApp, &QApplication::quit, Qt::QueuedConnection);
    m_entry->show();
    m_entry->activateWindow();
}

void WindowRouter::showModeless(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (const QScreen *screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - window->rect().center());
    }
    window->activateWindow();
}

void WindowRouter::openWindow(const QString &menuObjectName)
{
    const QString folder = m_services.workingDirectory;
    if (menuObjectName == QLatin1String("Mnu_ADIF")) {
        QPointer<Saisie_QSO> entry = m_entry;
        exportAdif(m_setup, folder, m_services.clock, m_services.dialogs,
                   [entry](const QString &title) {
                       if (entry)
                           entry->form().Entete->setText(title);
                   });
    } else if (menuObjectName == QLatin1String("Mnu_C_Trafic")) {
        exportCTrafic(m_setup, folder, m_services.dialogs);
    } else if (menuObjectName == QLatin1String("Histo_Acti")) {
        showModeless(new Histo_Acti(folder));
    } else if (menuObjectName == QLatin1String("Mnu_Historique")) {
        m_services.dialogs.message(m_setup.revisionHistory());
    } else if (menuObjectName == QLatin1String("Mnu_Mode_Emploi")) {
        m_services.dialogs.message(manualNotice());
    } else if (menuObjectName == QLatin1String("Mnu_A_Propos")) {
        m_services.dialogs.message(aboutText());
    }
    // The other windows (log views, labels, help) join here as they are built.
}

namespace {

// A message that stops the start: on standard error, for a script, and in a box.
void tellAndStop(Dialogs &dialogs, const QString &text)
{
    QTextStream(stderr) << text << Qt::endl;
    dialogs.message(text);
}

} // namespace

int runGui(QApplication &app, const QString &folderOption)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setQuitOnLastWindowClosed(true);
    WidgetDialogs dialogs;
    QString error;
    const QString folder = chooseWorkingDirectory(
        folderOption, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), &error);
    if (folder.isEmpty()) {
        tellAndStop(dialogs, error);
        return 1;
    }
    DataFolderLock lock(folder);
    if (!lock.acquire()) {
        tellAndStop(dialogs, lock.refusal());
        return 1;
    }
    // Only now is it sure that no other copy is writing: scratch files of a copy killed
    // during a rewrite can go.
    removeStaleScratchFiles(folder);
    QtSettings settings;
    SystemClock clock;
    Services services{settings, clock, dialogs, folder};

    Setup setup(services);
    WindowRouter router(services, setup);
    setup.show();
    return app.exec();
}

} // namespace orvel
