#include "Log_Alpha.h"

#include "ListingFiles.h"
#include "ListingView.h"
#include "Listings.h"
#include "common/FixedColumns.h"
#include "widgets/FormWidgets.h"
#include "platform/Services.h"
#include "records/CurrentLog.h"
#include "records/Session.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <QThread>

#include <memory>

namespace orvel {

namespace {
constexpr int kEntryColumns = 126;
} // namespace

Log_Alpha::Log_Alpha(Services &services, Session &session, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_session(session)
{
    setObjectName(QStringLiteral("Log_Alpha"));
    setWindowTitle(QStringLiteral("  Log alphanumerique"));
    build();
    load();
    // A new QSO takes its place in the order; a change elsewhere sorts the list again.
    followLog(
        m_session.model(), this, [this](int, int) { onQsoAppended(); }, [this] { load(); });
    connect(Enregistrer, &QPushButton::clicked, this, &Log_Alpha::onEnregistrerClicked);
}

void Log_Alpha::build()
{
    auto *layout = new QVBoxLayout(this);
    Label3 = namedLabel(this, QStringLiteral("Label3"));
    QFont titleFont = Label3->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 2);
    Label3->setFont(titleFont);
    Label3->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label3);

    auto *frame2 = named(new QGroupBox(this), QStringLiteral("Frame2"));
    auto *frame2Layout = new QVBoxLayout(frame2);
    m_model = new OrderedLogModel(this);
    Log_Alphanum = listingView(frame2, QStringLiteral("Log_Alphanum"), m_model, kEntryColumns);
    frame2Layout->addWidget(listingHeading(frame2, Log_Alphanum, Label2));
    frame2Layout->addWidget(Log_Alphanum, 1);
    layout->addWidget(frame2, 1);

    auto *bottom = new QHBoxLayout;
    Label4 = namedLabel(this, QStringLiteral("Label4"),
                        QStringLiteral("Opérateurs différents contactés"));
    Label5 = namedLabel(this, QStringLiteral("Label5"));
    Label5->setMinimumWidth(60);
    Enregistrer = namedButton(this, QStringLiteral("Enregistrer"), QStringLiteral("Enregistrer"));
    bottom->addWidget(Label4);
    bottom->addWidget(Label5);
    bottom->addStretch(1);
    bottom->addWidget(Enregistrer);
    layout->addLayout(bottom);
    resize(minimumSizeHint().width() + 20, 600);
}

void Log_Alpha::load()
{
    Label3->setText(alphaWindowTitle(m_session.openReferences()));
    Label5->setText(numberText(m_session.currentLog().operatorCount()));
    const quint64 generation = ++m_generation;
    LogRows rows = m_session.currentLog().rows();
    if (rows.size() <= kSortedAtOnce) {
        QList<qsizetype> order = alphaListOrder(rows);
        m_model->showOrdered(std::move(rows), std::move(order));
        m_sorting = 0;
        return;
    }
    // The rows as they stand now go to the sort; the list keeps showing the order it has
    // until the new one comes, and a change meanwhile starts another sort.
    m_sorting = generation;
    auto sorted = std::make_shared<std::pair<LogRows, QList<qsizetype>>>(std::move(rows),
                                                                          QList<qsizetype>());
    QThread *sorter = QThread::create([sorted] { sorted->second = alphaListOrder(sorted->first); });
    connect(sorter, &QThread::finished, sorter, &QObject::deleteLater);
    connect(sorter, &QThread::finished, this, [this, sorted, generation] {
        if (generation != m_generation)
            return;
        m_sorting = 0;
        m_model->showOrdered(std::move(sorted->first), std::move(sorted->second));
    });
    sorter->start();
}

void Log_Alpha::onQsoAppended()
{
    const CurrentLog &log = m_session.currentLog();
    if (isLoading() || m_model->logRows() + 1 != log.size()) {
        load();
        return;
    }
    m_model->appendRow(log.rows(), alphaListPlace(log, m_model->order(), log.size() - 1));
    Label5->setText(numberText(log.operatorCount()));
}

void Log_Alpha::onEnregistrerClicked()
{
    m_session.refresh();
    QList<Listing> listings;
    if (const FileResult built = buildAlphaListings(m_session, listings); !built) {
        m_services.dialogs.message(built.error);
        return;
    }
    saveListings(m_session.folder(), listings,
                 [this](const QString &message, bool) { m_services.dialogs.message(message); });
}

} // namespace orvel
