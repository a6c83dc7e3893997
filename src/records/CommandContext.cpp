#include "CommandContext.h"

#include "Session.h"
#include "platform/DataFolderLock.h"

namespace orvel {

CommandContext::CommandContext(QString folder, QTextStream &out, QTextStream &err)
    : m_folder(std::move(folder))
    , m_out(out)
    , m_err(err)
{
}

// The session goes before the lock: nothing is written once the folder is let go.
CommandContext::~CommandContext()
{
    m_session.reset();
    m_lock.reset();
}

bool CommandContext::lockFolder()
{
    if (!m_locked) {
        m_lock = std::make_unique<DataFolderLock>(m_folder);
        m_locked = m_lock->acquire();
        if (!*m_locked)
            m_err << m_lock->refusal() << Qt::endl;
    }
    return *m_locked;
}

const CommandGroup &CommandContext::openGroup(const QString &reference, GroupScope scope)
{
    if (!m_group)
        m_group = scope == GroupScope::WholeGroup ? openWholeCommandGroup(m_folder, reference)
                                                  : openCommandGroup(m_folder, reference);
    return *m_group;
}

Session &CommandContext::session()
{
    Q_ASSERT(m_group && m_group->ok());
    if (!m_session)
        m_session = std::make_unique<Session>(m_folder, m_group->activation, m_group->references);
    return *m_session;
}

} // namespace orvel
