// The setup window: registers activations, groups the references activated together, reopens
// an activation and its group, and hands over to QSO entry. At the hand-over it writes the
// current activation (its nine fields) and the open activations (Liste_Activite_Fin) into the
// Session, which every other window reads.
#pragma once

#include "GroupRegistration.h"
#include "SetupRules.h"
#include "SetupState.h"
#include "platform/Services.h"
#include "records/ActivationList.h"
#include "records/LogFiles.h"

#include <QMainWindow>
#include <memory>

class QModelIndex;
class QPushButton;

namespace orvel {

class SetupFieldChain;
class SetupForm;

class Session;

class Setup : public QMainWindow
{
    Q_OBJECT

public:
    Setup(Services &services, Session &session, QWidget *parent = nullptr);
    ~Setup() override;

    // The nine fields, blanks trimmed, the way the log file names and lines need them.
    Activation currentActivation() const;
    // The references of Liste_Activite_Fin, in list order.
    QStringList openActivations() const;
    // The revision history built at start-up, each entry followed by CRLF.
    QString revisionHistory() const;

    // Fills Liste_Activite from the list file.
    void listReferences();
    // Loads the current activation from the newest line of reference; true when found.
    bool findActivation(const QString &reference);
    // Opens the group of the newest line of reference (Num_Activite when empty).
    void lookUpGroup(const QString &reference);

signals:
    // The user asked for QSO entry and every check passed.
    void entryWindowRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void startUp();
    void connectControls();

    void onCreerClicked();
    void onAjoutClicked();
    void onTermineClicked();
    void onSaisieClicked();
    void onRazClicked();
    void onListeActiviteClicked(const QModelIndex &index);
    void onDateAccepted();

    void registerActivation();
    void showActivation(const std::optional<Activation> &found);
    void openGroupAtLine(qsizetype line);
    // Shows the state: the open group, the counter, the buttons expected next.
    void render();
    // Shows the state's nine texts in the fields.
    void showTexts();
    void halfReset();
    void fullReset();
    void setFieldsEnabled(bool enabled);

    Services &m_services;
    Session &m_session;
    std::unique_ptr<SetupForm> m_form;
    ActivationList m_list;
    LogFiles m_logs;
    QString m_history;
    SetupState m_state;
    // The file line of each entry of Liste_Activite.
    QList<qsizetype> m_entryLines;
    // Declared last: it reads the form, the list and the group.
    std::unique_ptr<SetupFieldChain> m_chain;
};

} // namespace orvel
