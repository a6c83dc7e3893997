// The setup window: registers activations, groups the references activated together, reopens
// an activation and its group, and hands over to QSO entry. It holds the current activation
// (its nine fields) and the open activations (Liste_Activite_Fin) that the other windows read.
#pragma once

#include "records/ActivationContext.h"
#include "records/ActivationList.h"
#include "GroupInCreation.h"
#include "SetupRules.h"
#include "records/LogFiles.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <memory>

class QModelIndex;
class QPushButton;

namespace orvel {

class SetupFieldChain;
class SetupForm;

class Setup : public QMainWindow, public ActivationContext
{
    Q_OBJECT

public:
    explicit Setup(Services &services, QWidget *parent = nullptr);
    ~Setup() override;

    // The nine fields, blanks trimmed, the way the log file names and lines need them.
    Activation currentActivation() const override;
    QStringList openActivations() const override;
    QString workingDirectory() const override;
    // The revision history built at start-up, each entry followed by CRLF.
    QString revisionHistory() const;

    // Fills Liste_Activite from the list file.
    void listReferences();
    // Loads the current activation from the newest line of reference; true when found.
    bool findActivation(const QString &reference);
    bool referenceExists(const QString &reference) const;
    // Writes an activation line into the list file; false (and a message) when it failed.
    bool registerLine(const QString &line);
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
    bool addToGroup(const QString &reference, bool found);
    void openGroupAtLine(qsizetype line);
    void halfReset();
    void fullReset();
    void expectButton(QPushButton *button);
    void noLongerExpected(QPushButton *button);
    void setFieldsEnabled(bool enabled);
    void setCounter(int value);
    int counter() const;

    Services &m_services;
    std::unique_ptr<SetupForm> m_form;
    ActivationList m_list;
    LogFiles m_logs;
    QString m_history;
    GroupInCreation m_group;
    // The file line of each entry of Liste_Activite.
    QList<qsizetype> m_entryLines;
    // Declared last: it reads the form, the list and the group.
    std::unique_ptr<SetupFieldChain> m_chain;
};

} // namespace orvel
