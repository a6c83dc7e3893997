// "Radio", from the entry window's Setup menu: no radio, a rigctld on the network (host, port)
// or a radio linked directly (Hamlib model, serial port, speed). "Tester" shows what the radio
// says without closing; OK keeps the choice in the settings store.
#pragma once

#include "radio/RadioConfig.h"
#include "radio/RadioProbe.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace orvel {

class Dialogs;

class RadioDialog : public QDialog
{
    Q_OBJECT
public:
    RadioDialog(Settings &settings, Dialogs &dialogs, QWidget *parent = nullptr);

    // The link as the controls describe it now.
    RadioConfig config() const;
    // What keeps it from being used, in French.
    std::optional<QString> problem() const;

signals:
    // OK with values that can be used; they are already in the settings store.
    void chosen(const orvel::RadioConfig &config);
    // "Tester" reads the radio of tried, and then has its answer. A serial port answers one
    // program at a time: the window lets go of its own radio meanwhile.
    void testStarted(const orvel::RadioConfig &tried);
    void testEnded();

private:
    void build();
    void showConfig(const RadioConfig &config);
    void fillModels(int current);
    void fillDevices(const QString &current);
    void updateEnabled();
    void onTesterClicked();
    void onTested(const RadioAnswer &answer);
    void onOkClicked();

    Settings &m_settings;
    Dialogs &m_dialogs;
    RadioProbe m_probe;

    QRadioButton *m_none = nullptr;
    QRadioButton *m_rigctld = nullptr;
    QRadioButton *m_direct = nullptr;
    QGroupBox *m_networkBox = nullptr;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_tcpPort = nullptr;
    QGroupBox *m_directBox = nullptr;
    QComboBox *m_model = nullptr;
    QComboBox *m_device = nullptr;
    QComboBox *m_speed = nullptr;
    QPushButton *m_tester = nullptr;
    QLabel *m_result = nullptr;
};

// What the radio said, for the dialog's result line: "La radio répond : 7 100,000 kHz
// (bande 7), USB (mode SSB)."
QString testedText(const RadioAnswer &answer);

} // namespace orvel
