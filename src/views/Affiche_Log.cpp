#include "Affiche_Log.h"

#include "ListingFiles.h"
#include "ListingView.h"
#include "Listings.h"
#include "common/FixedColumns.h"
#include "platform/Services.h"
#include "print/ScriptPlayer.h"
#include "records/Session.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel {

namespace {
// A list entry: 7 characters of number, then the 118 of the log line.
constexpr int kEntryColumns = 126;
} // namespace

Affiche_Log::Affiche_Log(Services &services, Session &session, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_session(session)
{
    setObjectName(QStringLiteral("Affiche_Log"));
    setWindowTitle(QStringLiteral("Affichage du Log"));
    m_choosePrinter = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    build();
    load();
    // The list is a view of the session's model; the count follows every change of the log.
    followLog(
        m_session.model(), this, [this](int, int) { showCount(); }, [this] { showCount(); });
    connect(&m_session, &Session::activationChanged, this, &Affiche_Log::load);
    connect(Enregistrer, &QPushButton::clicked, this, &Affiche_Log::onEnregistrerClicked);
    connect(Imprimer, &QPushButton::clicked, this, &Affiche_Log::onImprimerClicked);
}

void Affiche_Log::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *frame1 = named(new QGroupBox(this), QStringLiteral("Frame1"));
    auto *frame1Layout = new QVBoxLayout(frame1);
    Label3 = namedLabel(frame1, QStringLiteral("Label3"), QStringLiteral("Log activation "));
    QFont titleFont = Label3->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 2);
    Label3->setFont(titleFont);
    Label3->setAlignment(Qt::AlignCenter);
    frame1Layout->addWidget(Label3);
    layout->addWidget(frame1);

    auto *frame2 =
        named(new QGroupBox(QStringLiteral("Liste des QSO"), this), QStringLiteral("Frame2"));
    auto *frame2Layout = new QVBoxLayout(frame2);
    m_model = new NumberedLogProxy(this);
    m_model->setSourceModel(&m_session.model());
    Liste_QSO = listingView(frame2, QStringLiteral("Liste_QSO"), m_model, kEntryColumns);
    frame2Layout->addWidget(listingHeading(frame2, Liste_QSO, Label2));
    frame2Layout->addWidget(Liste_QSO, 1);
    layout->addWidget(frame2, 1);

    auto *bottom = new QHBoxLayout;
    Label1 = namedLabel(this, QStringLiteral("Label1"),
                        QStringLiteral("Opérateurs différents contactés"));
    Label4 = namedLabel(this, QStringLiteral("Label4"));
    Label4->setMinimumWidth(60);
    Enregistrer = namedButton(this, QStringLiteral("Enregistrer"), QStringLiteral("Enregistrer"));
    Imprimer = namedButton(this, QStringLiteral("Imprimer"), QStringLiteral("Imprimer"));
    bottom->addWidget(Label1);
    bottom->addWidget(Label4);
    bottom->addStretch(1);
    bottom->addWidget(Enregistrer);
    bottom->addWidget(Imprimer);
    layout->addLayout(bottom);
    resize(minimumSizeHint().width() + 20, 600);
}

void Affiche_Log::load()
{
    Label3->setText(logWindowTitle(m_session.openReferences()));
    showCount();
}

void Affiche_Log::showCount()
{
    Label4->setText(numberText(m_session.currentLog().operatorCount()));
}

void Affiche_Log::onEnregistrerClicked()
{
    m_session.refresh();
    QList<Listing> listings;
    if (const FileResult built =
            buildLogListings(m_session, m_services.clock.localNow().date(), listings);
        !built) {
        m_services.dialogs.message(built.error);
        return;
    }
    saveListings(m_session.folder(), listings,
                 [this](const QString &message, bool) { m_services.dialogs.message(message); });
}

void Affiche_Log::onImprimerClicked()
{
    m_session.refresh();
    QList<Listing> listings;
    if (const FileResult built =
            buildLogListings(m_session, m_services.clock.localNow().date(), listings);
        !built) {
        m_services.dialogs.message(built.error);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Log ") + m_session.openReferences().join(QLatin1Char(' ')));
    // A listing line is 128 columns, 217 mm at 8 points: a portrait A4 would cut the operator
    // column, so the dialog offers a landscape A4 first, within the listing's 10 mm margins (the
    // print job keeps them whatever the dialog's printer had).
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    if (!m_choosePrinter(printer))
        return;
    const PlayResult played = ScriptPlayer::play(listingPrintPieces(listings), printer);
    if (played.failed && !played.error.isEmpty()) {
        // The reason of a file that could not be written, after the words of a failed print.
        QString reason = played.error;
        reason[0] = reason.at(0).toLower();
        m_services.dialogs.message(
            QStringLiteral("L'impression du log n'a pas pu se faire : %1. Le log n'a pas changé.")
                .arg(reason));
    } else if (played.failed)
        m_services.dialogs.message(
            QStringLiteral("L'impression du log n'a pas pu se faire : l'imprimante « %1 » ne "
                           "répond pas. Le log n'a pas changé.")
                .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                        : printer.outputFileName()));
}

} // namespace orvel
