#include "Select_QSO.h"

#include "Select_Acti.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "widgets/WindowBasics.h"
#include "records/CurrentLog.h"
#include "records/LogListModel.h"
#include "records/Session.h"

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
    if (!log.exists() || !log.isReadable())
        QTimer::singleShot(0, this, &Select_QSO::tellMissingLog);
    followLog();
    reload();
}

void Select_QSO::followLog()
{
    const LogListModel &model = m_session.model();
    connect(&model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { onRowsInserted(first, last); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { onRowsRemoved(first, last); });
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                   const QList<int> &roles) {
                // The rows after an inserted or removed QSO are renumbered: their lines stay.
                if (roles.isEmpty() || roles.contains(LogListModel::LineRole))
                    onRowsChanged(topLeft.row(), bottomRight.row());
            });
    connect(&model, &QAbstractItemModel::modelReset, this, &Select_QSO::onLogReset);
}

void Select_QSO::reload()
{
    const quint64 generation = ++m_generation;
    auto rows = std::make_shared<const LogRows>(m_session.currentLog().rows());
    const bool byEntries = m_matchEntries;
    const QStringList chosenEntries = byEntries ? m_job->chosen().entries() : QStringList();
    const QList<qsizetype> chosenRows = m_job->chosen().logRows();
    auto make = [rows, byEntries, chosenEntries, chosenRows] {
        return byEntries ? selectionListsMatching(*rows, chosenEntries)
                         : selectionLists(*rows, chosenRows);
    };
    if (rows->size() <= kSortedAtOnce) {
        showLists(rows, make());
        QTimer::singleShot(0, this, &Select_QSO::loaded);
        return;
    }
    setLoading(generation);
    auto made = std::make_shared<SelectionLists>();
    QThread *sorter = QThread::create([made, make] { *made = make(); });
    connect(sorter, &QThread::finished, sorter, &QObject::deleteLater);
    connect(sorter, &QThread::finished, this, [this, rows, made, generation] {
        if (generation != m_generation)
            return;
        showLists(rows, std::move(*made));
        emit loaded();
    });
    sorter->start();
}

// While the lists are being made, they are not to be clicked: what they show is the log as
// it was.
void Select_QSO::setLoading(quint64 generation)
{
    m_sorting = generation;
    for (QWidget *control : {static_cast<QWidget *>(Liste_QSO), static_cast<QWidget *>(Liste_Imprime),
                             static_cast<QWidget *>(Select_All)})
        control->setEnabled(generation == 0);
}

void Select_QSO::showLists(const std::shared_ptr<const LogRows> &rows, SelectionLists lists)
{
    m_matchEntries = false;
    m_job->setLists(rows, std::move(lists));
    setLoading(0);
}

void Select_QSO::onRowsInserted(qsizetype first, qsizetype last)
{
    m_job->followInserted(first, last - first + 1);
    if (isLoading() || m_matchEntries || last - first + 1 > kFollowedOneByOne) {
        reload();
        return;
    }
    const CurrentLog &log = m_session.currentLog();
    for (qsizetype row = first; row <= last; ++row)
        m_job->available().insertSorted(selectionEntry(log.rowBytes(row)), row);
}

void Select_QSO::onRowsRemoved(qsizetype first, qsizetype last)
{
    m_job->followRemoved(first, last);
    if (isLoading())
        reload();
}

void Select_QSO::onRowsChanged(qsizetype first, qsizetype last)
{
    if (isLoading() || m_matchEntries || last - first + 1 > kFollowedOneByOne) {
        reload();
        return;
    }
    // A changed QSO keeps its list, at the place of its new entry.
    const CurrentLog &log = m_session.currentLog();
    for (qsizetype row = first; row <= last; ++row) {
        for (SelectionModel *list : {&m_job->available(), &m_job->chosen()}) {
            const qsizetype at = list->logRows().indexOf(row);
            if (at < 0)
                continue;
            list->take(int(at));
            list->insertSorted(selectionEntry(log.rowBytes(row)), row);
            break;
        }
    }
}

void Select_QSO::onLogReset()
{
    m_matchEntries = true;
    reload();
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
