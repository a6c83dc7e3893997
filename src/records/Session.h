// What the windows share: the current activation (a snapshot of its nine fields), the open
// references in list order and the current log, held once. The setup window writes it when it
// hands over to QSO entry, the command line when it opens a reference; every other window
// reads it and listens to its signals, so none reads another window's controls and no view
// re-reads a long log to learn of one new QSO.
#pragma once

#include "Activation.h"
#include "CurrentLog.h"

#include <QObject>
#include <QStringList>

namespace orvel {

class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QString folder, QObject *parent = nullptr);
    // A session opened at once on an activation and its group.
    Session(QString folder, const Activation &current, const QStringList &openReferences,
            QObject *parent = nullptr);

    // The folder of every data file.
    const QString &folder() const { return m_folder; }
    const Activation &activation() const { return m_activation; }
    // The reference that names the current log.
    const QString &currentReference() const { return m_activation.reference; }
    // The references of the open activations, in list order.
    const QStringList &openReferences() const { return m_open; }
    // Where a QSO goes: the open references, or the current one alone when none is open.
    QStringList storeReferences() const;
    const CurrentLog &currentLog() const { return m_log; }
    LogFiles logFiles() const { return LogFiles(m_folder); }

    // Makes an activation and its group current and reads its log.
    void open(const Activation &current, const QStringList &openReferences);

    // Each of these takes in a change this program has just written to the current log; a
    // log that holds anything else is read again (logRewritten).
    // A line appended at the end.
    void logAppended(const QString &line);
    // Every line equal to oldLine became newLine.
    void logReplaced(const QString &oldLine, const QString &newLine);
    // A line placed at its moment.
    void logInserted(const QString &line);
    // The line at row was removed.
    void logRemoved(qsizetype row);
    // The current log was changed in place (corrected, inserted, deleted, recovered QSO):
    // it is read again.
    void reloadLog();

signals:
    void activationChanged();
    // One line at the end of the current log; nothing else changed.
    void qsoAppended(const QString &line);
    // The line at row was replaced.
    void qsoChanged(qsizetype row);
    // A line now stands at row; the rows after it moved down by one.
    void qsoInserted(qsizetype row);
    // The line at row is gone; the rows after it moved up by one.
    void qsoRemoved(qsizetype row);
    // The current log must be taken again whole.
    void logRewritten();

private:
    QString m_folder;
    Activation m_activation;
    QStringList m_open;
    CurrentLog m_log;
};

} // namespace orvel
