// Builds the real platform objects, opens the setup window and, on its request, the entry
// window; opens the windows the entry window's menus ask for.
#pragma once

#include "labels/LabelRun.h"
#include "logging/Saisie_QSO.h"

#include <QApplication>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace orvel {

class DepartmentTally;
struct Services;
class Session;
class Setup;

// Connects the program's windows to one another. Every window reads the Session; the router
// only opens windows and never touches their controls.
class WindowRouter : public QObject
{
    Q_OBJECT
public:
    WindowRouter(Services &services, Setup &setup, Session &session, QObject *parent = nullptr);

    Saisie_QSO *entryWindow() const { return m_entry; }

    // Opens (or opens anew, on the session handed over now) the entry window.
    void openEntryWindow();
    // Opens the window of an entry-window menu item.
    void openWindow(const QString &menuObjectName);

private:
    void registerWindows();
    void showModeless(QWidget *window);
    void showOnce(const QString &name, const std::function<QWidget *()> &make);

    Services &m_services;
    Setup &m_setup;
    Session &m_session;
    QPointer<Saisie_QSO> m_entry;
    // The départements tally the entry window and the map share.
    DepartmentTally *m_tally = nullptr;
    QHash<QString, QPointer<QWidget>> m_single;
    // What each menu item (by objectName) opens.
    QHash<QString, std::function<void()>> m_factories;
    // The activation texts of the label runs, kept from run to run while the program runs.
    std::shared_ptr<RememberedActivations> m_labelActivations =
        std::make_shared<RememberedActivations>();
    QPointer<QWidget> m_labelSelection;
};

int runGui(QApplication &app, const QString &folderOption);

} // namespace orvel
