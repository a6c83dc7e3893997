// "WSJT-X / JTDX", from the entry window's Setup menu: whether the QSOs of WSJT-X and JTDX are
// received, on which port and address, whether their status sets the band and mode, and the
// program last heard (its name, version and when). OK keeps the choice in the settings store.
#pragma once

#include "DigitalReception.h"
#include "DigitalSettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace orvel {

class Dialogs;

// "WSJT-X 2.6.1 entendu à 14:02:11 UTC", or that nothing was heard.
QString heardText(const std::optional<HeardProgram> &heard);

class WsjtxDialog : public QDialog
{
    Q_OBJECT
public:
    WsjtxDialog(Settings &settings, Dialogs &dialogs, QWidget *parent = nullptr);

    DigitalSettings values() const;
    // The program last heard, and whether the reception listens (or why not).
    void showHeard(const std::optional<HeardProgram> &heard);
    void showListening(const QString &text);

signals:
    // OK with values that can be used; they are already in the settings store.
    void chosen(const orvel::DigitalSettings &values);

private:
    void build();
    void updateEnabled();
    void onOkClicked();

    Settings &m_settings;
    Dialogs &m_dialogs;
    QCheckBox *m_enabled = nullptr;
    QSpinBox *m_port = nullptr;
    QLineEdit *m_address = nullptr;
    QCheckBox *m_follow = nullptr;
    QLabel *m_heard = nullptr;
    QLabel *m_listening = nullptr;
};

} // namespace orvel
