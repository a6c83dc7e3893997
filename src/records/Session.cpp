#include "Session.h"

namespace orvel {

Session::Session(QString folder, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_log(LogFiles(m_folder))
{
}

Session::Session(QString folder, const Activation &current, const QStringList &openReferences,
                 QObject *parent)
    : Session(std::move(folder), parent)
{
    open(current, openReferences);
}

QStringList Session::storeReferences() const
{
    if (m_open.isEmpty())
        return {m_activation.reference};
    return m_open;
}

void Session::open(const Activation &current, const QStringList &openReferences)
{
    m_activation = current;
    m_open = openReferences;
    m_log.load(m_activation.reference);
    emit activationChanged();
    emit logRewritten();
}

void Session::logAppended(const QString &line)
{
    if (m_log.appended(line))
        emit qsoAppended(line);
    else
        emit logRewritten();
}

void Session::logReplaced(const QString &oldLine, const QString &newLine)
{
    const auto rows = m_log.replaced(oldLine, newLine);
    if (!rows) {
        emit logRewritten();
        return;
    }
    for (const qsizetype row : *rows)
        emit qsoChanged(row);
}

void Session::logInserted(const QString &line)
{
    if (const auto row = m_log.inserted(line))
        emit qsoInserted(*row);
    else
        emit logRewritten();
}

void Session::logRemoved(qsizetype row)
{
    if (m_log.removed(row))
        emit qsoRemoved(row);
    else
        emit logRewritten();
}

void Session::reloadLog()
{
    m_log.load(m_activation.reference);
    emit logRewritten();
}

} // namespace orvel
