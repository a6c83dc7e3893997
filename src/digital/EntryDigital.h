// WSJT-X and JTDX beside the QSO entry window: the reception of their QSOs into every open log
// while the option is on, one line in the window's status bar for each QSO (and the
// already-worked warning there, never a box: the QSO was made on the air), the band and mode of
// their status when asked for and no radio is followed, and the "WSJT-X / JTDX" dialog. The QSO
// being typed is never touched: no field, no focus, no mode.
#pragma once

#include "DigitalReception.h"
#include "DigitalSettings.h"
#include "StatusFollower.h"

#include <QObject>
#include <QPointer>

class QColor;
class QLabel;
class QMainWindow;

namespace orvel {

class EntryRadio;
class QsoEntry;
class Session;
class WsjtxDialog;
struct EntryForm;
struct Services;

class EntryDigital : public QObject
{
    Q_OBJECT
public:
    EntryDigital(QMainWindow &window, const EntryForm &form, QsoEntry &entry, EntryRadio &radio,
                 Services &services, Session &session, const FirstNames &names);
    ~EntryDigital() override;

    // Starts with the settings kept in the store.
    void startFromSettings();
    // Listens, or stops, as values say; a port that cannot be listened on is told in the
    // status line (and returned, empty when listening or off).
    QString apply(const DigitalSettings &values);
    // Stops listening and writes what was heard; the window is closing.
    void stop();
    // The "WSJT-X / JTDX" dialog, one at a time.
    void openSettings();

    DigitalReception &reception() { return m_reception; }
    // The line shown in the status bar.
    QString statusText() const;

private:
    void onTaken(const DigitalTaken &taken);
    void onStatus(const WsjtxStatus &status);
    void showStatus(const QString &text, const QColor &colour);
    QString listeningText() const;

    QMainWindow &m_window;
    const EntryForm &m_form;
    QsoEntry &m_entry;
    EntryRadio &m_radio;
    Services &m_services;
    DigitalReception m_reception;
    DigitalSettings m_values;
    QString m_problem; // why the port is not listened on
    StatusFollower m_follower;
    QLabel *m_status = nullptr;
    QPointer<WsjtxDialog> m_dialog;
};

} // namespace orvel
