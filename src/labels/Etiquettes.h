// "Etiquettes pour QSL": the sheet format, the station texts, the language and the pause
// after each sheet, with two sample labels; "Imprimer" prints the run on the printer chosen in
// the print dialog (or a PDF file), "Aperçu" shows it sheet by sheet without printing, "Retour
// au menu séléction activités" hides the window, keeping every choice, and shows Select_Acti.
#pragma once

#include "LabelJob.h"
#include "print/ScriptPlayer.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QCloseEvent;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace orvel {

class Session;
struct Services;

class Etiquettes : public QWidget
{
    Q_OBJECT
public:
    // back: the window "Retour au menu séléction activités" shows again.
    Etiquettes(Services &services, Session &session, std::shared_ptr<LabelJob> job,
               QWidget *back = nullptr, QWidget *parent = nullptr);

    // Shows the print dialog on the printer; false when it is cancelled.
    using PrinterChoice = std::function<bool(QPrinter &printer)>;
    void setPrinterChoice(PrinterChoice choice) { m_choosePrinter = std::move(choice); }
    // Shows a run without printing it.
    using Preview = std::function<void(const PrintScript &script)>;
    void setPreview(Preview preview) { m_preview = std::move(preview); }

    // The choices as they stand in the controls, the station texts as typed.
    SheetSetup sheetSetup() const;
    // The outcome of the last run that reached the printer.
    const PlayResult &lastResult() const { return m_lastResult; }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onImprimeClicked();
    void onApercuClicked();
    void onCommand1Clicked();
    void onLanguageClicked();

private:
    void buildForm();
    QWidget *buildSamples();
    // The run as things stand now; empty when a station text is too long (the message is
    // shown).
    std::optional<PrintScript> checkedScript();

    Services &m_services;
    Session &m_session;
    std::shared_ptr<LabelJob> m_job;
    QPointer<QWidget> m_back;
    PrinterChoice m_choosePrinter;
    Preview m_preview;
    PlayResult m_lastResult;
    bool m_printing = false;

    std::array<QRadioButton *, 5> Etiqu{};
    QLineEdit *RxTx = nullptr;
    QLineEdit *Antenne = nullptr;
    QRadioButton *Langue_1 = nullptr;
    QRadioButton *Langue_2 = nullptr;
    QCheckBox *Arret_Imp = nullptr;
    QPushButton *Imprime = nullptr;
    QPushButton *Apercu = nullptr;
    QPushButton *Command1 = nullptr;
};

} // namespace orvel
