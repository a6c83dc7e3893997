#include "GuiApplication.h"

#include "activation/Histo_Acti.h"
#include "activation/Setup.h"
#include "app/DepartmentGridTally.h"
#include "app/Diagnostics.h"
#include "common/FileRead.h"
#include "common/Program.h"
#include "common/SafeWrite.h"
#include "export/ExportActions.h"
#include "help/UpdatePage.h"
#include "labels/Select_QSO.h"
#include "logging/Saisie_QSO.h"
#include "platform/Clock.h"
#include "platform/DataFolderLock.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/WorkingDirectory.h"
#include "records/ActivationList.h"
#include "records/Session.h"
#include "views/Affiche_Log.h"
#include "views/Carte_Acti.h"
#include "views/CtyConversion.h"
#include "views/DepartmentTally.h"
#include "views/Liste_Operateurs.h"
#include "views/Log_Alpha.h"
#include "views/Pays_Cont.h"
#include "views/Recherche_Indicatif.h"
#include "widgets/WidgetDialogs.h"
#include "widgets/WindowBasics.h"

#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTextStream>

namespace orvel {

WindowRouter::WindowRouter(Services &services, Setup &setup, Session &session, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_setup(setup)
    , m_session(session)
    , m_tally(new DepartmentTally(session, this))
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
    installDepartmentTally(*m_entry, *m_tally);
    m_entry->show();
    m_entry->activateWindow();
}

void WindowRouter::showModeless(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    keepOnScreen(*window, m_services.settings);
    window->show();
    window->activateWindow();
}

void WindowRouter::showOnce(const QString &name, const std::function<QWidget *()> &make)
{
    // A window already open comes to the front rather than opening twice.
    QPointer<QWidget> &open = m_single[name];
    if (open) {
        open->raise();
        open->activateWindow();
        return;
    }
    open = make();
    showModeless(open);
}

void WindowRouter::registerWindows()
{
    m_factories.insert(QStringLiteral("Mnu_ADIF"), [this] {
        QPointer<Saisie_QSO> entry = m_entry;
        exportAdif(m_session, m_services.clock, m_services.dialogs, [entry](const QString &title) {
            if (entry)
                entry->showListHeading(title);
        });
        // The title stands over the list while the export tells its files; then the list gets
        // its column headings back.
        if (entry)
            entry->showColumnHeadings();
    });
    m_factories.insert(QStringLiteral("Mnu_C_Trafic"),
                       [this] { exportCTrafic(m_session, m_services.dialogs); });
    m_factories.insert(QStringLiteral("Histo_Acti"),
                       [this] { showModeless(new Histo_Acti(m_session)); });
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
    m_factories.insert(QStringLiteral("Mnu_Aff_Log"), [this] {
        showOnce(QStringLiteral("Affiche_Log"),
                 [this] { return new Affiche_Log(m_services, m_session); });
    });
    m_factories.insert(QStringLiteral("Mnu_Log_Alpha"), [this] {
        showOnce(QStringLiteral("Log_Alpha"),
                 [this] { return new Log_Alpha(m_services, m_session); });
    });
    m_factories.insert(QStringLiteral("Mnu_Liste_Op"), [this] {
        showOnce(QStringLiteral("Liste_Operateurs"),
                 [this] { return new Liste_Operateurs(m_session); });
    });
    m_factories.insert(QStringLiteral("Recherche"), [this] {
        showOnce(QStringLiteral("Recherche_Indicatif"), [this] {
            auto *search = new Recherche_Indicatif(m_services.dialogs, m_session);
            QPointer<Saisie_QSO> entry = m_entry;
            connect(search, &Recherche_Indicatif::qsoPicked, this, [entry](int row) {
                if (!entry)
                    return;
                entry->selectQso(row);
                entry->activateWindow();
            });
            return search;
        });
    });
    m_factories.insert(QStringLiteral("Mnu_Pays_Contacte"), [this] {
        showOnce(QStringLiteral("Pays_Cont"),
                 [this] { return new Pays_Cont(m_session, m_services.dialogs); });
    });
    m_factories.insert(QStringLiteral("Mnu_Dpt_Cont"), [this] {
        showOnce(QStringLiteral("Carte_Acti"), [this] {
            return new Carte_Acti(m_services.settings, m_services.dialogs, *m_tally);
        });
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
}

void WindowRouter::openWindow(const QString &menuObjectName)
{
    const auto factory = m_factories.constFind(menuObjectName);
    if (factory == m_factories.constEnd())
        return;
    // Every window and export starts from the log as its file now stands.
    m_session.refresh();
    (*factory)();
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
        folderOption, QCoreApplication::applicationDirPath(), userDataFolder(), &error);
    if (folder.isEmpty()) {
        qCWarning(lcApp) << error;
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
    // The country table the program comes with, unless the folder has its own.
    if (const FileResult table = installCountryTable(folder); !table)
        dialogs.message(table.error);
    // A list that cannot be read shows no activation: the user is told why.
    if (const auto problem = unreadableFileProblem(ActivationList(folder).path()))
        dialogs.message(*problem);

    Session session(folder);
    session.setWatching(true);
    Setup setup(services, session);
    WindowRouter router(services, setup, session);
    setup.show();
    return app.exec();
}

} // namespace orvel
