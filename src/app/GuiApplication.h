// Builds the real platform objects, opens the setup window and, on its request, the entry
// window; opens the windows the entry window's menus ask for.
#pragma once

#include "logging/Saisie_QSO.h"

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QString>

namespace orvel {

struct Services;
class Setup;

// Connects the program's windows to one another.
class WindowRouter : public QObject
{
    Q_OBJECT
public:
    WindowRouter(Services &services, Setup &setup, QObject *parent = nullptr);

    Saisie_QSO *entryWindow() const { return m_entry; }

    // Opens (or opens anew, on the activations open now) the entry window.
    void openEntryWindow();
    // Opens the window of an entry-window menu item.
    void openWindow(const QString &menuObjectName);

private:
    void showModeless(QWidget *window);

    Services &m_services;
    Setup &m_setup;
    QPointer<Saisie_QSO> m_entry;
};

int runGui(QApplication &app, const QString &folderOption);

} // namespace orvel
