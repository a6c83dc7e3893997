#include "Select_Acti.h"

#include "Etiquettes.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "widgets/WindowBasics.h"
#include "records/Session.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvel {

Select_Acti::Select_Acti(Services &services, Session &session, std::shared_ptr<LabelJob> job,
                         QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
    , m_session(session)
    , m_job(std::move(job))
{
    setObjectName(QStringLiteral("Select_Acti"));
    setWindowTitle(QStringLiteral("Selection activités"));

    QFrame *frame2 = titleFrame(this, QStringLiteral("Frame2"), QStringLiteral("Label4"),
                                QStringLiteral("Selection des activités"));

    auto *frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    frame1->setFrameShape(QFrame::StyledPanel);
    QLabel *prompt = namedLabel(frame1, QStringLiteral("Label2"), QStringLiteral("Selectionnez"));
    NB_Acti = namedLabel(frame1, QStringLiteral("NB_Acti"), QStringLiteral("1"));
    QLabel *unit = namedLabel(frame1, QStringLiteral("Label3"), QStringLiteral("activité(s)"));
    Activites = named(new QListWidget(frame1), QStringLiteral("Activites"));
    Activites->setSelectionMode(QAbstractItemView::MultiSelection);
    paintBackground(Activites, kLightYellow);
    Option1 = named(new QRadioButton(QStringLiteral("Une activité par étiquette"), frame1),
                    QStringLiteral("Option1"));
    Option2 = named(new QRadioButton(QStringLiteral("Deux activités par étiquette"), frame1),
                    QStringLiteral("Option2"));
    Option1->setChecked(true);
    Command1 =
        namedButton(frame1, QStringLiteral("Command1"), QStringLiteral("Impression etiquettes"));

    auto *promptLine = new QHBoxLayout;
    promptLine->addWidget(prompt);
    promptLine->addWidget(NB_Acti);
    promptLine->addWidget(unit);
    promptLine->addStretch(1);
    auto *inner = new QVBoxLayout(frame1);
    inner->addLayout(promptLine);
    inner->addWidget(Activites, 1);
    inner->addWidget(Option1);
    inner->addWidget(Option2);
    inner->addWidget(Command1, 0, Qt::AlignRight);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame2);
    layout->addWidget(frame1, 1);

    // The open activations of the session; with none open, the current one, which is where the
    // QSOs went.
    ActivationChoice &choice = m_job->activations();
    choice = ActivationChoice{};
    for (const QString &reference : m_session.storeReferences()) {
        if (reference.isEmpty())
            continue;
        choice.references.append(reference);
        Activites->addItem(reference);
    }

    connect(Activites, &QListWidget::itemSelectionChanged, this, &Select_Acti::onActivitesChanged);
    connect(Option1, &QRadioButton::toggled, this, &Select_Acti::onOptionToggled);
    connect(Command1, &QPushButton::clicked, this, &Select_Acti::onCommand1Clicked);

    resize(420, 360);
    keepOnScreen(*this, m_services.settings);
}

void Select_Acti::onActivitesChanged()
{
    ActivationChoice &choice = m_job->activations();
    choice.selectedRows.clear();
    for (int row = 0; row < Activites->count(); ++row) {
        if (Activites->item(row)->isSelected())
            choice.selectedRows.append(row);
    }
}

void Select_Acti::onOptionToggled()
{
    const int perLabel = Option2->isChecked() ? 2 : 1;
    m_job->activations().perLabel = perLabel;
    NB_Acti->setText(QString::number(perLabel));
}

void Select_Acti::onCommand1Clicked()
{
    if (const QString refusal = m_job->activations().refusal(); !refusal.isEmpty()) {
        m_services.dialogs.message(refusal);
        return;
    }
    if (!m_labels) {
        m_labels = new Etiquettes(m_services, m_session, m_job, this);
        m_labels->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_labels->show();
    m_labels->raise();
    m_labels->activateWindow();
}

Etiquettes *Select_Acti::labelWindow() const
{
    return m_labels;
}

} // namespace orvel
