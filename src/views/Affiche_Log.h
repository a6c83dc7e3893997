// The log window: the current log as a numbered list, the operators contacted, and the log
// listing of every open activation saved to a dated file or printed, one job per activation.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QListView;
class QPrinter;
class QPushButton;

namespace orvel {

class NumberedLogProxy;
class Session;
struct Services;

class Affiche_Log : public QWidget
{
    Q_OBJECT
public:
    // Shows the printer dialog on printer; false when the user cancels.
    using PrinterChoice = std::function<bool(QPrinter &printer)>;

    Affiche_Log(Services &services, Session &session, QWidget *parent = nullptr);

    // Replaces the system printer dialog (tests choose a PDF file without a dialog).
    void setPrinterChoice(PrinterChoice choice) { m_choosePrinter = std::move(choice); }

    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QListView *Liste_QSO = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Enregistrer = nullptr;
    QPushButton *Imprimer = nullptr;

private:
    void build();
    void load();
    void showCount();
    void onEnregistrerClicked();
    void onImprimerClicked();

    Services &m_services;
    Session &m_session;
    NumberedLogProxy *m_model = nullptr;
    PrinterChoice m_choosePrinter;
};

} // namespace orvel
