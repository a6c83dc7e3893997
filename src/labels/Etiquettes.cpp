#include "Etiquettes.h"

#include "LabelPrinting.h"
#include "LabelSettings.h"
#include "widgets/FormWidgets.h"
#include "widgets/Palette.h"
#include "platform/Services.h"
#include "widgets/WindowBasics.h"
#include "records/ActivationList.h"
#include "records/Session.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
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
    , m_preview([this](const PrintScript &script) { previewLabels(script, this); })
{
    setObjectName(QStringLiteral("Etiquettes"));
    setWindowTitle(QStringLiteral("Etiquettes pour QSL"));
    buildForm();

    const LabelSettings stored = loadLabelSettings(m_services.settings);
    RxTx->setText(stored.station.transceiver);
    Antenne->setText(stored.station.antenna);
    Etiqu.at(stored.format - 1)->setChecked(true);

    adjustSize();
    centreOnScreen(*this);
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
    connect(Command1, &QPushButton::clicked, this, &Etiquettes::onCommand1Clicked);
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

std::optional<PrintScript> Etiquettes::checkedScript()
{
    const SheetSetup setup = sheetSetup();
    if (const QString refusal = stationTextsRefusal(setup.station); !refusal.isEmpty()) {
        m_services.dialogs.message(refusal);
        return std::nullopt;
    }
    LabelRunInput input = m_job->runInput(setup, ActivationList(m_session.folder()).lines(),
                                          m_session.activation().activator);
    input.restoreFamily = font().family();
    return labelRunScript(input);
}

void Etiquettes::onImprimeClicked()
{
    const SheetSetup setup = sheetSetup();
    if (const QString refusal = stationTextsRefusal(setup.station); !refusal.isEmpty()) {
        m_services.dialogs.message(refusal);
        return;
    }
    saveLabelSettings(m_services.settings, {setup.station, setup.format});

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Etiquettes pour QSL"));
    if (!m_choosePrinter(printer))
        return;
    const std::optional<PrintScript> script = checkedScript();
    if (!script)
        return;
    // Between two sheets the windows repaint; the operator's clicks wait for the end of the
    // run, and the window stays open until then.
    m_printing = true;
    m_lastResult = printLabels(
        *script, printer,
        [this](const QString &question) { return m_services.dialogs.question(question); },
        [](int) { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    m_printing = false;
    if (m_lastResult.failed)
        m_services.dialogs.message(
            QStringLiteral("L'impression des étiquettes n'a pas pu commencer : l'imprimante ou "
                           "le fichier choisi n'est pas accessible."));
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
    if (const std::optional<PrintScript> script = checkedScript())
        m_preview(*script);
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
