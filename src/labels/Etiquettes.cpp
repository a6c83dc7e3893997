#include "Etiquettes.h"

#include "LabelPrinting.h"
#include "LabelSettings.h"
#include "platform/Services.h"
#include "records/ActivationList.h"
#include "records/Session.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"
#include "widgets/WindowBasics.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvel {

namespace {

// The sample labels: their names, and their texts as designed, in French and in English.
struct SampleText {
    const char *name;
    QString designed;
    QString french;
    QString english;
};

const QString kSampleDate = QStringLiteral("   08:35 UTC    59    SSB    7 MHz");

QList<SampleText> samples()
{
    const QString confirmFr = QStringLiteral("Confirme le QSO avec Q1BRV");
    const QString confirmEn = QStringLiteral("Confirming QSO with Q1BRV");
    const QString castle = QStringLiteral("DFCF 34005 Chateau Saint Thibery");
    const QString canton = QStringLiteral("DDCF 3428  34630 Saint Thibery");
    const QString mill = QStringLiteral("DMF 34015 Moulin de Laprée");
    const QString dateFr = QStringLiteral("Le 14/01/06") + kSampleDate;
    const QString dateEn = QStringLiteral("On 14/01/06") + kSampleDate;
    const QString station = QStringLiteral("TX/RX :  FT47 100 W     Ant : Dipole 2x10m ");
    const QString thanksFr = QStringLiteral("Merci pour le QSO      73's de Q6KLM/P");
    const QString thanksEn = QStringLiteral("TNX for the QSO      73's de Q6KLM/P");
    return {
        {"Label9", confirmFr, confirmFr, confirmEn},
        {"Label17", castle, castle, castle},
        {"Label18", canton, canton, canton},
        {"Label15", dateFr, dateFr, dateEn},
        {"Label16", station, station, station},
        {"Label19", thanksFr, thanksFr, thanksEn},
        {"Label10", confirmFr, confirmFr, confirmEn},
        {"Label5", QLatin1Char(' ') + castle, castle, castle},
        {"Label11", mill, mill, mill},
        {"Label12", dateFr, dateFr, dateEn},
        {"Label13", station, station, station},
        {"Label14", thanksFr, thanksFr, thanksEn},
    };
}

QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &title)
{
    return named(new QGroupBox(title, parent), name);
}

bool showPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer les étiquettes"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

Etiquettes::Etiquettes(Services &services, Session &session, std::shared_ptr<LabelJob> job,
                       QWidget *back, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
    , m_session(session)
    , m_job(std::move(job))
    , m_back(back)
    , m_choosePrinter([this](QPrinter &printer) { return showPrintDialog(printer, this); })
    , m_preview([this](const PrintScript &script, const QString &title) {
        previewLabels(script, title, this);
    })
{
    setObjectName(QStringLiteral("Etiquettes"));
    setWindowTitle(QStringLiteral("Etiquettes pour QSL"));
    buildForm();

    const LabelSettings stored = loadLabelSettings(m_services.settings);
    RxTx->setText(stored.station.transceiver);
    Antenne->setText(stored.station.antenna);
    Etiqu.at(stored.format - 1)->setChecked(true);
    Decalage_H->setText(offsetText(stored.offset.x));
    Decalage_V->setText(offsetText(stored.offset.y));

    adjustSize();
    keepOnScreen(*this, m_services.settings);
}

void Etiquettes::buildForm()
{
    QFrame *frame1 = titleFrame(this, QStringLiteral("Frame1"), QStringLiteral("Label2"),
                                QStringLiteral("Impression d'étiquettes pour QSL"));

    QGroupBox *frame5 =
        groupBox(this, QStringLiteral("Frame5"), QStringLiteral("Format etiquette"));
    auto *formats = new QVBoxLayout(frame5);
    for (int number = 1; number <= kLabelFormatCount; ++number) {
        QRadioButton *option = named(new QRadioButton(labelFormat(number).caption, frame5),
                                     QStringLiteral("Etiqu_%1").arg(number));
        Etiqu.at(number - 1) = option;
        formats->addWidget(option);
    }
    Etiqu.front()->setChecked(true);

    QGroupBox *frame6 = groupBox(this, QStringLiteral("Frame6"), QStringLiteral("Station"));
    RxTx = named(new QLineEdit(frame6), QStringLiteral("RxTx"));
    Antenne = named(new QLineEdit(frame6), QStringLiteral("Antenne"));
    paintBackground(RxTx, kLightYellow);
    paintBackground(Antenne, kLightYellow);
    auto *station = new QGridLayout(frame6);
    station->addWidget(namedLabel(frame6, QStringLiteral("Label1"), QStringLiteral("Transceiver ")),
                       0, 0);
    station->addWidget(RxTx, 0, 1);
    station->addWidget(
        namedLabel(frame6, QStringLiteral("Label20"), QStringLiteral("16 caracteres maxi")), 0, 2);
    station->addWidget(namedLabel(frame6, QStringLiteral("Label7"), QStringLiteral("Antenne")), 1,
                       0);
    station->addWidget(Antenne, 1, 1);
    station->addWidget(
        namedLabel(frame6, QStringLiteral("Label21"), QStringLiteral("13 catacteres maxi")), 1, 2);

    QGroupBox *frame8 = groupBox(this, QStringLiteral("Frame8"), QStringLiteral("Language"));
    Langue_1 =
        named(new QRadioButton(QStringLiteral("Francais"), frame8), QStringLiteral("Langue_1"));
    Langue_2 =
        named(new QRadioButton(QStringLiteral("Anglais"), frame8), QStringLiteral("Langue_2"));
    Langue_1->setChecked(true);
    auto *languages = new QHBoxLayout(frame8);
    languages->addWidget(Langue_1);
    languages->addWidget(Langue_2);

    QGroupBox *frame9 = groupBox(this, QStringLiteral("Frame9"), QString());
    Arret_Imp = named(new QCheckBox(QStringLiteral("Arret impression a chaque feuille"), frame9),
                      QStringLiteral("Arret_Imp"));
    (new QVBoxLayout(frame9))->addWidget(Arret_Imp);

    // Controls of the form that have no role: kept with their captions, never shown.
    QGroupBox *frame7 = groupBox(this, QStringLiteral("Frame7"), QStringLiteral("Impression"));
    (new QVBoxLayout(frame7))
        ->addWidget(namedLabel(frame7, QStringLiteral("Label3"), QStringLiteral("Antenne")));
    frame7->hide();
    namedLabel(this, QStringLiteral("Label4"), QStringLiteral("Antenne"))->hide();

    Imprime = namedButton(this, QStringLiteral("Imprime"), QStringLiteral("Imprimer"));
    Apercu = namedButton(this, QStringLiteral("Apercu"), QStringLiteral("Aperçu"));
    Command1 = namedButton(this, QStringLiteral("Command1"),
                           QStringLiteral("Retour au menu séléction activités"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    buttons->addWidget(Apercu);
    buttons->addWidget(Imprime);

    auto *left = new QVBoxLayout;
    left->addWidget(frame5);
    left->addWidget(frame6);
    left->addWidget(buildCalibration());
    auto *options = new QHBoxLayout;
    options->addWidget(frame8);
    options->addWidget(frame9, 1);
    left->addLayout(options);
    left->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(buildSamples());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(Langue_1, &QRadioButton::clicked, this, &Etiquettes::onLanguageClicked);
    connect(Langue_2, &QRadioButton::clicked, this, &Etiquettes::onLanguageClicked);
    connect(Imprime, &QPushButton::clicked, this, &Etiquettes::onImprimeClicked);
    connect(Apercu, &QPushButton::clicked, this, &Etiquettes::onApercuClicked);
    connect(Grille, &QPushButton::clicked, this, &Etiquettes::onGrilleClicked);
    connect(Command1, &QPushButton::clicked, this, &Etiquettes::onCommand1Clicked);
}

QWidget *Etiquettes::buildCalibration()
{
    QGroupBox *frame = groupBox(this, QStringLiteral("Frame10"), QStringLiteral("Calage"));
    Decalage_H = named(new QLineEdit(frame), QStringLiteral("Decalage_H"));
    Decalage_V = named(new QLineEdit(frame), QStringLiteral("Decalage_V"));
    const QString hint = QStringLiteral("De -10 à +10 mm ; vers la droite et vers le bas quand "
                                        "le nombre est positif.");
    for (QLineEdit *field : {Decalage_H, Decalage_V}) {
        paintBackground(field, kLightYellow);
        field->setMaxLength(6);
        field->setToolTip(hint);
    }
    Grille = namedButton(frame, QStringLiteral("Grille"), QStringLiteral("Grille de calage"));
    Grille->setToolTip(QStringLiteral("Imprimez la grille sur une feuille blanche et posez-la "
                                      "sur une planche d'étiquettes : l'écart se lit à chaque "
                                      "coin."));
    auto *layout = new QGridLayout(frame);
    layout->addWidget(
        namedLabel(frame, QStringLiteral("Label23"), QStringLiteral("Décalage horizontal (mm)")), 0,
        0);
    layout->addWidget(Decalage_H, 0, 1);
    layout->addWidget(
        namedLabel(frame, QStringLiteral("Label24"), QStringLiteral("Décalage vertical (mm)")), 1,
        0);
    layout->addWidget(Decalage_V, 1, 1);
    layout->addWidget(Grille, 0, 2, 2, 1);
    return frame;
}

QWidget *Etiquettes::buildSamples()
{
    auto *frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    frame2->setFrameShape(QFrame::StyledPanel);
    auto *frame4 = named(new QFrame(frame2), QStringLiteral("Frame4"));
    auto *frame3 = named(new QFrame(frame2), QStringLiteral("Frame3"));
    auto *oneLayout = new QVBoxLayout(frame4);
    auto *twoLayout = new QVBoxLayout(frame3);
    for (QFrame *sample : {frame4, frame3}) {
        sample->setFrameShape(QFrame::Box);
        paintBackground(sample, Qt::white);
    }
    const QList<SampleText> texts = samples();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QFrame *sample = i < 6 ? frame4 : frame3;
        QLabel *label =
            namedLabel(sample, QString::fromLatin1(texts.at(i).name), texts.at(i).designed);
        (i < 6 ? oneLayout : twoLayout)->addWidget(label);
        if (i % 6 == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
    auto *layout = new QVBoxLayout(frame2);
    layout->addWidget(namedLabel(frame2, QStringLiteral("Label22"),
                                 QStringLiteral("Exemple d'une étiquette une activité")));
    layout->addWidget(frame4);
    layout->addWidget(namedLabel(frame2, QStringLiteral("Label8"),
                                 QStringLiteral("Exemple d'une étiquette deux activités")));
    layout->addWidget(frame3);
    layout->addStretch(1);
    return frame2;
}

SheetSetup Etiquettes::sheetSetup() const
{
    SheetSetup setup;
    for (int number = 1; number <= kLabelFormatCount; ++number) {
        if (Etiqu.at(number - 1)->isChecked())
            setup.format = number;
    }
    setup.station = {RxTx->text(), Antenne->text()};
    setup.language = Langue_1->isChecked() ? LabelLanguage::French : LabelLanguage::English;
    setup.pauseEachSheet = Arret_Imp->isChecked();
    setup.offset = {parseOffset(Decalage_H->text()).value_or(0),
                    parseOffset(Decalage_V->text()).value_or(0)};
    return setup;
}

void Etiquettes::onLanguageClicked()
{
    const bool french = Langue_1->isChecked();
    for (const SampleText &sample : samples()) {
        if (auto *label = findChild<QLabel *>(QString::fromLatin1(sample.name)))
            label->setText(french ? sample.french : sample.english);
    }
}

std::optional<SheetSetup> Etiquettes::checkedSetup()
{
    const SheetSetup setup = sheetSetup();
    if (const QString refusal = stationTextsRefusal(setup.station); !refusal.isEmpty()) {
        m_services.dialogs.message(refusal);
        return std::nullopt;
    }
    if (!offsetAccepted())
        return std::nullopt;
    return setup;
}

bool Etiquettes::offsetAccepted()
{
    // A refused offset keeps its field's text and takes the focus, so it can be mended.
    const std::pair<QLineEdit *, QString> offsets[] = {{Decalage_H, kHorizontalOffsetRefused},
                                                       {Decalage_V, kVerticalOffsetRefused}};
    for (const auto &[field, refusal] : offsets) {
        if (!parseOffset(field->text())) {
            m_services.dialogs.message(refusal);
            field->setFocus();
            return false;
        }
    }
    return true;
}

PrintScript Etiquettes::runScript(const SheetSetup &setup, bool outlines)
{
    LabelRunInput input = m_job->runInput(setup, ActivationList(m_session.folder()).lines(),
                                          m_session.activation().activator);
    input.restoreFamily = font().family();
    input.outlines = outlines;
    return labelRunScript(input);
}

void Etiquettes::onImprimeClicked()
{
    const std::optional<SheetSetup> setup = checkedSetup();
    if (!setup)
        return;
    saveLabelSettings(m_services.settings, {setup->station, setup->format, setup->offset});

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Etiquettes pour QSL"));
    if (!m_choosePrinter(printer))
        return;
    printWithProgress(runScript(*setup, false), printer);
}

void Etiquettes::printWithProgress(const PrintScript &script, QPrinter &printer)
{
    const int sheets = script.documentCount();
    QProgressDialog progress(QStringLiteral("Impression des étiquettes…"),
                             QStringLiteral("Annuler"), 0, sheets, this);
    progress.setObjectName(QStringLiteral("Progression"));
    progress.setWindowTitle(QStringLiteral("Etiquettes pour QSL"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    PlayOptions options;
    options.ask = [this](const QString &question) { return m_services.dialogs.question(question); };
    options.progress = [&progress](int done, int total) {
        progress.setLabelText(
            QStringLiteral("Impression des étiquettes : feuille %1 sur %2").arg(done).arg(total));
        progress.setValue(done);
        // Between two sheets the windows repaint and "Annuler" is heard; the window stays open
        // until the run ends.
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    m_printing = true;
    m_lastResult = printLabels(script, printer, options);
    m_printing = false;
    progress.close();
    const QString target = printer.outputFileName().isEmpty()
                               ? QStringLiteral("l'imprimante « %1 »").arg(printer.printerName())
                               : QStringLiteral("le fichier %1")
                                     .arg(QDir::toNativeSeparators(printer.outputFileName()));
    if (m_lastResult.failed) {
        m_services.dialogs.message(labelRunFailure(m_lastResult, target));
    } else if (m_lastResult.cancelled) {
        m_services.dialogs.message(
            printer.outputFileName().isEmpty()
                ? QStringLiteral("Impression annulée : %1 feuille(s) envoyée(s) à l'imprimante.")
                      .arg(m_lastResult.documents)
                : QStringLiteral("Impression annulée : %1 n'a pas été écrit.").arg(target));
    }
}

void Etiquettes::closeEvent(QCloseEvent *event)
{
    if (m_printing)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void Etiquettes::onApercuClicked()
{
    if (const std::optional<SheetSetup> setup = checkedSetup())
        m_preview(runScript(*setup, true), QStringLiteral("Aperçu des étiquettes"));
}

void Etiquettes::onGrilleClicked()
{
    if (!offsetAccepted())
        return;
    const SheetSetup setup = sheetSetup();
    m_preview(calibrationGridScript(setup.format, setup.offset.x, setup.offset.y),
              QStringLiteral("Grille de calage"));
}

void Etiquettes::onCommand1Clicked()
{
    if (!m_back)
        return;
    hide();
    m_back->show();
    m_back->raise();
    m_back->activateWindow();
}

} // namespace orvel
