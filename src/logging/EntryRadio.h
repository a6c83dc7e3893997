// The radio beside the QSO entry window: reads it on its link, says in the window's status line
// what it reads (or that it does not answer), and makes the radio's band and mode the window's
// as choosing them in the lists does. With no radio chosen the window has no status line and
// nothing changes.
#pragma once

#include "EntryForm.h"
#include "radio/RadioFollower.h"
#include "radio/RadioLink.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QMainWindow;

namespace orvel {

class QsoEntry;
class RadioDialog;
struct Services;

class EntryRadio : public QObject
{
    Q_OBJECT
public:
    EntryRadio(QMainWindow &window, const EntryForm &form, QsoEntry &entry, Services &services);
    ~EntryRadio() override;

    // Starts following the radio kept in the settings store.
    void startFromSettings();
    // Follows the radio of config (none: stops and hides the status line).
    void follow(const RadioConfig &config);
    // Lets go of the radio; the window is closing.
    void stop();
    // The "Radio" dialog, one at a time.
    void openSettings();

    RadioLink &link() { return m_link; }

    // Whether a radio is followed (its band and mode then win over any other program's).
    bool followsRadio() const { return m_config.kind != RadioLinkKind::None; }
    // A band and a mode another program says (WSJT-X's status), chosen as the radio's are.
    void chooseFromOther(const std::optional<QString> &band, const std::optional<QString> &mode);

private:
    void onTestStarted(const RadioConfig &tried);
    void onTestEnded();
    void onReading(const RadioReading &reading);
    void onSilent(const QString &message);
    // A correction, an insertion or deferred entry ended: the radio's band and mode again.
    void onEntryModeChanged();
    void apply(const RadioStep &step);
    void chooseBand(const QString &band);
    void chooseMode(const QString &mode);
    void showStatus(const QString &text, const QColor &colour);

    QMainWindow &m_window;
    const EntryForm &m_form;
    QsoEntry &m_entry;
    Services &m_services;
    RadioLink m_link;
    RadioConfig m_config; // the radio followed
    bool m_pausedForTest = false;
    bool m_entryHeld = false; // the entry held its typed band and mode at its last change
    RadioFollower m_follower;
    QLabel *m_status = nullptr;
    QPointer<RadioDialog> m_dialog;
};

} // namespace orvel
