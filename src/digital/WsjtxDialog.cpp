#include "WsjtxDialog.h"

#include "platform/Dialogs.h"
#include "widgets/FormWidgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orvel {

QString heardText(const std::optional<HeardProgram> &heard)
{
    if (!heard)
        return QStringLiteral("Aucun programme entendu depuis l'ouverture de la fenêtre.");
    QString program = heard->id;
    if (!heard->version.isEmpty())
        program += QLatin1Char(' ') + heard->version;
    if (!heard->revision.isEmpty())
        program += QStringLiteral(" (%1)").arg(heard->revision);
    return QStringLiteral("Dernier programme entendu : %1, le %2 à %3 UTC.")
        .arg(program, heard->when.toUTC().toString(QStringLiteral("dd/MM/yy")),
             heard->when.toUTC().toString(QStringLiteral("hh:mm:ss")));
}

WsjtxDialog::WsjtxDialog(Settings &settings, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Wsjtx_Setup"));
    setWindowTitle(QStringLiteral("WSJT-X / JTDX"));
    build();
    const DigitalSettings values = loadDigitalSettings(settings);
    m_enabled->setChecked(values.enabled);
    m_port->setValue(values.port);
    m_address->setText(values.address);
    m_follow->setChecked(values.followStatus);
    updateEnabled();
}

void WsjtxDialog::build()
{
    setMinimumWidth(480);
    auto *layout = new QVBoxLayout(this);
    m_enabled = named(new QCheckBox(QStringLiteral("&Recevoir les QSO de WSJT-X / JTDX"), this),
                      QStringLiteral("Wsjtx_Recevoir"));
    auto *form = new QFormLayout;
    m_port = named(new QSpinBox(this), QStringLiteral("Wsjtx_Port"));
    m_port->setRange(1, 65535);
    m_address = named(new QLineEdit(this), QStringLiteral("Wsjtx_Adresse"));
    m_address->setToolTip(QStringLiteral("127.0.0.1 quand WSJT-X tourne sur cet ordinateur ; un "
                                         "groupe de multidiffusion (224.0.0.1) pour partager "
                                         "ses messages avec d'autres programmes."));
    auto *portLabel = new QLabel(QStringLiteral("&Port UDP :"), this);
    portLabel->setBuddy(m_port);
    auto *addressLabel = new QLabel(QStringLiteral("&Adresse :"), this);
    addressLabel->setBuddy(m_address);
    form->addRow(portLabel, m_port);
    form->addRow(addressLabel, m_address);
    m_follow =
        named(new QCheckBox(QStringLiteral("&Suivre la fréquence et le mode de WSJT-X"), this),
              QStringLiteral("Wsjtx_Suivre"));
    m_follow->setToolTip(QStringLiteral("Quand aucune radio n'est choisie (Setup, Radio), la "
                                        "bande et le mode de la saisie suivent ceux de WSJT-X."));
    m_heard = namedLabel(this, QStringLiteral("Wsjtx_Entendu"), heardText(std::nullopt));
    m_heard->setWordWrap(true);
    m_listening = namedLabel(this, QStringLiteral("Wsjtx_Ecoute"));
    m_listening->setWordWrap(true);
    auto *ok = namedButton(this, QStringLiteral("Wsjtx_OK"), QStringLiteral("OK"));
    auto *cancel = namedButton(this, QStringLiteral("Wsjtx_Annuler"), QStringLiteral("Annuler"));
    ok->setDefault(true);

    layout->addWidget(m_enabled);
    layout->addLayout(form);
    layout->addWidget(m_follow);
    layout->addWidget(m_heard);
    layout->addWidget(m_listening);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_enabled, &QCheckBox::toggled, this, &WsjtxDialog::updateEnabled);
    connect(ok, &QPushButton::clicked, this, &WsjtxDialog::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

DigitalSettings WsjtxDialog::values() const
{
    DigitalSettings values;
    values.enabled = m_enabled->isChecked();
    values.port = m_port->value();
    values.address = m_address->text().trimmed();
    values.followStatus = m_follow->isChecked();
    return values;
}

void WsjtxDialog::showHeard(const std::optional<HeardProgram> &heard)
{
    m_heard->setText(heardText(heard));
}

void WsjtxDialog::showListening(const QString &text)
{
    m_listening->setText(text);
}

void WsjtxDialog::updateEnabled()
{
    for (QWidget *widget : {static_cast<QWidget *>(m_port), static_cast<QWidget *>(m_address),
                            static_cast<QWidget *>(m_follow)})
        widget->setEnabled(m_enabled->isChecked());
}

void WsjtxDialog::onOkClicked()
{
    const DigitalSettings chosenValues = values();
    if (chosenValues.enabled) {
        if (const auto problem = chosenValues.problem()) {
            m_dialogs.message(*problem);
            return;
        }
    }
    saveDigitalSettings(m_settings, chosenValues);
    emit chosen(chosenValues);
    accept();
}

} // namespace orvel
