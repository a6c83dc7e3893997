#include "Select_QSO.h"

#include "Select_Acti.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "widgets/WindowBasics.h"
#include "records/Session.h"
#include "SelectionEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace orvel {

namespace {

QListView *selectionList(QWidget *parent, const QString &name, SelectionModel &model)
{
    auto *list = named(new QListView(parent), name);
    list->setModel(&model);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFont(terminalFont(9));
    paintBackground(list, kLightYellow);
    return list;
}

} // namespace

Select_QSO::Select_QSO(Services &services, Session &session,
                       std::shared_ptr<RememberedActivations> remembered, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
    , m_session(session)
    , m_job(std::make_shared<LabelJob>(std::move(remembered)))
{
    setObjectName(QStringLiteral("Select_QSO"));
    setWindowTitle(QStringLiteral("Selection QSO"));

    QFrame *frame1 = titleFrame(this, QStringLiteral("Frame1"), QStringLiteral("Label2"),
                                QStringLiteral("Selection des QSO pour impression d'étiquettes"));

    auto *frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    frame2->setFrameShape(QFrame::StyledPanel);
    QLabel *upper = namedLabel(frame2, QStringLiteral("Label3"),
                               QStringLiteral("Cliquez sur un QSO pour le selectionner "));
    Liste_QSO = selectionList(frame2, QStringLiteral("Liste_QSO"), m_job->available());
    QLabel *lower = namedLabel(frame2, QStringLiteral("Label4"),
                               QStringLiteral("QSO selectionné(s) pour impression d'etiquettes . "
                                              "Cliquez sur un QSO pour le déselctionner."));
    Liste_Imprime = selectionList(frame2, QStringLiteral("Liste_Imprime"), m_job->chosen());
    auto *lists = new QVBoxLayout(frame2);
    lists->addWidget(upper);
    lists->addWidget(Liste_QSO, 1);
    lists->addWidget(lower);
    lists->addWidget(Liste_Imprime, 1);

    Select_All =
        namedButton(this, QStringLiteral("Select_All"), QStringLiteral("Tout séléctionner"));
    Impression = namedButton(this, QStringLiteral("Impression"),
                             QStringLiteral("Vers page selection activités"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Select_All);
    buttons->addStretch(1);
    buttons->addWidget(Impression);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addWidget(frame2, 1);
    layout->addLayout(buttons);

    connect(Liste_QSO, &QListView::clicked, this, &Select_QSO::onListeQsoClicked);
    connect(Liste_Imprime, &QListView::clicked, this, &Select_QSO::onListeImprimeClicked);
    connect(Select_All, &QPushButton::clicked, this, &Select_QSO::onSelectAllClicked);
    connect(Impression, &QPushButton::clicked, this, &Select_QSO::onImpressionClicked);

    resize(720, 620);
    keepOnScreen(*this, m_services.settings);

    const QFileInfo log(m_session.logFiles().path(m_session.currentReference()));
    if (!log.exists() || !log.isReadable()) {
        QTimer::singleShot(0, this, &Select_QSO::tellMissingLog);
        QTimer::singleShot(0, this, &Select_QSO::loaded);
        return;
    }
    // The log as it stands now: QSOs logged while the window is open come with its next
    // opening. The entries are made here, where the session keeps its log; only the sort, the
    // long part, runs beside the window.
    const CurrentLog &current = m_session.currentLog();
    QStringList entries;
    entries.reserve(current.size());
    for (qsizetype row = 0; row < current.size(); ++row)
        entries.append(selectionEntry(current.rowBytes(row)));
    sortEntries(std::move(entries));
}

Select_QSO::~Select_QSO()
{
    // A sort still running finishes on its own and its thread then goes; its entries are
    // dropped with the last holder.
    if (m_sorter) {
        disconnect(m_sorter, nullptr, this, nullptr);
        m_sorter = nullptr;
    }
}

void Select_QSO::sortEntries(QStringList entries)
{
    if (entries.size() <= kSortedAtOnce) {
        orvel::sortEntries(entries);
        m_job->setAvailable(std::move(entries));
        QTimer::singleShot(0, this, &Select_QSO::loaded);
        return;
    }
    m_sorted = std::make_shared<QStringList>(std::move(entries));
    m_sorter = QThread::create([sorted = m_sorted] { orvel::sortEntries(*sorted); });
    connect(m_sorter, &QThread::finished, m_sorter, &QObject::deleteLater);
    connect(m_sorter, &QThread::finished, this, &Select_QSO::onEntriesSorted);
    m_sorter->start();
}

void Select_QSO::onEntriesSorted()
{
    m_sorter = nullptr;
    m_job->setAvailable(std::move(*m_sorted));
    m_sorted.reset();
    emit loaded();
}

void Select_QSO::tellMissingLog()
{
    const QString path = m_session.logFiles().path(m_session.currentReference());
    const QString text = QFileInfo::exists(path)
                             ? QStringLiteral("Le journal %1 ne peut pas être lu : aucun QSO à "
                                              "sélectionner.")
                             : QStringLiteral("Le journal %1 est introuvable : aucun QSO à "
                                              "sélectionner.");
    m_services.dialogs.message(text.arg(QDir::toNativeSeparators(path)));
}

// A moved entry leaves no highlight behind on the entry that takes its row.
void Select_QSO::onListeQsoClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_job->choose(index.row());
    Liste_QSO->selectionModel()->clear();
}

void Select_QSO::onListeImprimeClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_job->giveBack(index.row());
    Liste_Imprime->selectionModel()->clear();
}

void Select_QSO::onSelectAllClicked()
{
    m_job->chooseAll();
}

void Select_QSO::onImpressionClicked()
{
    if (!m_activations) {
        m_activations = new Select_Acti(m_services, m_session, m_job);
        m_activations->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_activations->show();
    m_activations->raise();
    m_activations->activateWindow();
}

Select_Acti *Select_QSO::activationWindow() const
{
    return m_activations;
}

} // namespace orvel
