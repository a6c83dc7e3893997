#include "RadioDialog.h"

#include "platform/Dialogs.h"
#include "radio/RadioCommand.h"
#include "radio/RadioTables.h"
#include "records/Bands.h"
#include "widgets/FormWidgets.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace orvel {

namespace {

// The model's own speed, Hamlib's default for it.
constexpr int kModelSpeed = 0;
// Item data of the model list: whether the model talks through a port.
constexpr int kNeedsPortRole = Qt::UserRole + 1;

} // namespace

QString testedText(const RadioAnswer &answer)
{
    if (!answer.ok)
        return answer.problem;
    const QString band = bandOfFrequency(answer.reading.frequency);
    const QString mode = modeOfRadio(answer.reading.mode, QString());
    return QStringLiteral("La radio répond : %1 (%2), %3 (%4).")
        .arg(frequencyText(answer.reading.frequency),
             band.isEmpty() ? QStringLiteral("hors des bandes") : QStringLiteral("bande ") + band,
             answer.reading.mode.isEmpty() ? QStringLiteral("mode inconnu") : answer.reading.mode,
             mode.isEmpty() ? QStringLiteral("la fenêtre garde son mode")
                            : QStringLiteral("mode ") + mode);
}

RadioDialog::RadioDialog(Settings &settings, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Radio"));
    setWindowTitle(QStringLiteral("Radio"));
    build();
    showConfig(loadRadioConfig(settings));
    connect(&m_probe, &RadioProbe::answered, this, &RadioDialog::onTested);
}

void RadioDialog::build()
{
    setMinimumWidth(520);
    auto *layout = new QVBoxLayout(this);
    m_none = named(new QRadioButton(QStringLiteral("Aucune radio"), this),
                   QStringLiteral("Radio_Aucune"));
    m_rigctld = named(new QRadioButton(QStringLiteral("Par rigctld (réseau)"), this),
                      QStringLiteral("Radio_Rigctld"));
    m_direct = named(new QRadioButton(QStringLiteral("En direct (liaison série)"), this),
                     QStringLiteral("Radio_Directe"));

    // The boxes sit under their choice, which names them.
    m_networkBox = named(new QGroupBox(this), QStringLiteral("Radio_Reseau"));
    auto *network = new QFormLayout(m_networkBox);
    m_host = named(new QLineEdit(m_networkBox), QStringLiteral("Radio_Hote"));
    m_tcpPort = named(new QSpinBox(m_networkBox), QStringLiteral("Radio_Port_Reseau"));
    m_tcpPort->setRange(1, 65535);
    network->addRow(QStringLiteral("Machine :"), m_host);
    network->addRow(QStringLiteral("Port :"), m_tcpPort);

    m_directBox = named(new QGroupBox(this), QStringLiteral("Radio_Liaison"));
    auto *direct = new QFormLayout(m_directBox);
    m_model = named(new QComboBox(m_directBox), QStringLiteral("Radio_Modele"));
    m_model->setMaxVisibleItems(20);
    m_device = named(new QComboBox(m_directBox), QStringLiteral("Radio_Port_Serie"));
    m_device->setEditable(true);
    m_speed = named(new QComboBox(m_directBox), QStringLiteral("Radio_Vitesse"));
    m_speed->addItem(QStringLiteral("Celle du modèle"), kModelSpeed);
    for (const int speed : radioSpeeds())
        m_speed->addItem(QStringLiteral("%1 bauds").arg(speed), speed);
    direct->addRow(QStringLiteral("Modèle :"), m_model);
    direct->addRow(QStringLiteral("Port série :"), m_device);
    direct->addRow(QStringLiteral("Vitesse :"), m_speed);

    m_result = namedLabel(this, QStringLiteral("Radio_Resultat"));
    m_result->setWordWrap(true);
    m_result->setMinimumHeight(m_result->fontMetrics().height() * 2);
    m_tester = namedButton(this, QStringLiteral("Radio_Tester"), QStringLiteral("Tester"));
    auto *ok = namedButton(this, QStringLiteral("Radio_OK"), QStringLiteral("OK"));
    auto *cancel = namedButton(this, QStringLiteral("Radio_Annuler"), QStringLiteral("Annuler"));
    ok->setDefault(true);

    layout->addWidget(m_none);
    layout->addWidget(m_rigctld);
    layout->addWidget(m_networkBox);
    layout->addWidget(m_direct);
    layout->addWidget(m_directBox);
    layout->addWidget(m_result);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_tester);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    for (QRadioButton *choice : {m_none, m_rigctld, m_direct})
        connect(choice, &QRadioButton::toggled, this, &RadioDialog::updateEnabled);
    connect(m_tester, &QPushButton::clicked, this, &RadioDialog::onTesterClicked);
    connect(ok, &QPushButton::clicked, this, &RadioDialog::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RadioDialog::showConfig(const RadioConfig &config)
{
    m_none->setChecked(config.kind == RadioLinkKind::None);
    m_rigctld->setChecked(config.kind == RadioLinkKind::Rigctld);
    m_direct->setChecked(config.kind == RadioLinkKind::Direct);
    m_host->setText(config.host);
    m_tcpPort->setValue(config.tcpPort);
    fillModels(config.model);
    fillDevices(config.device);
    const int speed = m_speed->findData(config.speed);
    if (speed >= 0) {
        m_speed->setCurrentIndex(speed);
    } else {
        m_speed->addItem(QStringLiteral("%1 bauds").arg(config.speed), config.speed);
        m_speed->setCurrentIndex(m_speed->count() - 1);
    }
    updateEnabled();
}

void RadioDialog::fillModels(int current)
{
    m_model->clear();
    m_model->addItem(QStringLiteral("(choisissez le modèle)"), 0);
    for (const RadioModel &model : radioModels()) {
        m_model->addItem(
            QStringLiteral("%1 %2 (%3)").arg(model.maker, model.name).arg(model.number),
            model.number);
        m_model->setItemData(m_model->count() - 1, model.needsPort, kNeedsPortRole);
    }
    m_model->setCurrentIndex(std::max(0, m_model->findData(current)));
}

void RadioDialog::fillDevices(const QString &current)
{
    m_device->clear();
    const QDir dev(QStringLiteral("/dev"));
    QStringList devices;
    for (const QString &name : dev.entryList(
             {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"), QStringLiteral("rfcomm*")},
             QDir::System | QDir::Files, QDir::Name))
        devices.append(dev.filePath(name));
    for (int i = 0; i < 4; ++i) {
        const QString serial = QStringLiteral("/dev/ttyS%1").arg(i);
        if (QFileInfo::exists(serial))
            devices.append(serial);
    }
    m_device->addItems(devices);
    m_device->setEditText(current);
}

void RadioDialog::updateEnabled()
{
    m_networkBox->setEnabled(m_rigctld->isChecked());
    m_directBox->setEnabled(m_direct->isChecked());
    // Left enabled while a test runs (a press then does nothing): a disabled button would
    // hand the keyboard on to OK unseen, and Tab would then go to Annuler.
    m_tester->setEnabled(!m_none->isChecked());
}

std::optional<QString> RadioDialog::problem() const
{
    const RadioConfig chosen = config();
    if (const auto problem = chosen.problem())
        return problem;
    if (chosen.kind == RadioLinkKind::Direct && chosen.device.isEmpty() &&
        m_model->currentData(kNeedsPortRole).toBool())
        return QStringLiteral("Donnez le port série de la radio.");
    return std::nullopt;
}

RadioConfig RadioDialog::config() const
{
    RadioConfig config;
    config.kind = m_rigctld->isChecked()  ? RadioLinkKind::Rigctld
                  : m_direct->isChecked() ? RadioLinkKind::Direct
                                          : RadioLinkKind::None;
    config.host = m_host->text().trimmed();
    config.tcpPort = m_tcpPort->value();
    config.model = m_model->currentData().toInt();
    config.device = m_device->currentText().trimmed();
    config.speed = m_speed->currentData().toInt();
    return config;
}

void RadioDialog::onTesterClicked()
{
    if (m_probe.isBusy())
        return;
    const RadioConfig tried = config();
    if (const auto problem = this->problem()) {
        m_result->setText(*problem);
        return;
    }
    m_result->setText(QStringLiteral("Lecture de la radio (%1)…").arg(tried.description()));
    emit testStarted(tried);
    m_probe.start(tried, kRadioCommandDeadlineMs);
    updateEnabled();
}

void RadioDialog::onTested(const RadioAnswer &answer)
{
    m_result->setText(testedText(answer));
    updateEnabled();
    emit testEnded();
}

void RadioDialog::onOkClicked()
{
    const RadioConfig chosenConfig = config();
    if (const auto problem = this->problem()) {
        m_dialogs.message(*problem);
        return;
    }
    saveRadioConfig(m_settings, chosenConfig);
    emit chosen(chosenConfig);
    accept();
}

} // namespace orvel
