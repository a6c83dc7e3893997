// "Etiquettes pour QSL": the sheet format, the station texts, the language, the pause after
// each sheet and the calibration offset, with two sample labels; "Imprimer" prints the run on
// the printer chosen in the print dialog (or a PDF file) with a progress dialog that can cancel
// it, "Aperçu" shows it sheet by sheet on the outlines of the labels without printing, "Grille
// de calage" shows the sheet's label outlines to print on plain paper, "Retour au menu
// séléction activités" hides the window, keeping every choice, and shows Select_Acti.
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
    // Shows a run, or the calibration grid, without printing it.
    using Preview = std::function<void(const PrintScript &script, const QString &title)>;
    void setPreview(Preview preview) { m_preview = std::move(preview); }

    // The choices as they stand in the controls, the station texts as typed; the offset when
    // its fields hold offsets the window accepts (0 otherwise).
    SheetSetup sheetSetup() const;
    // The outcome of the last run that reached the printer.
    const PlayResult &lastResult() const { return m_lastResult; }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onImprimeClicked();
    void onApercuClicked();
    void onGrilleClicked();
    void onCommand1Clicked();
    void onLanguageClicked();

private:
    void buildForm();
    QWidget *buildSamples();
    QWidget *buildCalibration();
    // The choices as they stand, once the station texts and the offset pass their checks;
    // none when one fails (its message is shown).
    std::optional<SheetSetup> checkedSetup();
    // Whether both offset fields hold offsets the window accepts; shows the message if not.
    bool offsetAccepted();
    // The run of the setup as things stand now, with the labels' outlines as guides or not.
    PrintScript runScript(const SheetSetup &setup, bool outlines);
    // Plays the run on the printer with a progress dialog that can cancel it.
    void printWithProgress(const PrintScript &script, QPrinter &printer);

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
    QLineEdit *Decalage_H = nullptr;
    QLineEdit *Decalage_V = nullptr;
    QPushButton *Grille = nullptr;
    QPushButton *Command1 = nullptr;
};

} // namespace orvel
