#include "GroupInCreation.h"

namespace orvel {

void GroupInCreation::start()
{
    m_creating = true;
    forget();
}

bool GroupInCreation::isCreating() const
{
    return m_creating;
}

bool GroupInCreation::contains(const QString &reference) const
{
    return m_written.contains(reference);
}

void GroupInCreation::addWritten(const QString &reference)
{
    m_written.append(reference);
}

void GroupInCreation::noteRegistered(const QString &reference)
{
    if (m_firstReference.isEmpty())
        m_firstReference = reference;
}

QString GroupInCreation::firstReference() const
{
    return m_firstReference;
}

int GroupInCreation::writtenCount() const
{
    return int(m_written.size());
}

void GroupInCreation::forget()
{
    m_firstReference.clear();
    m_written.clear();
}

void GroupInCreation::close()
{
    m_creating = false;
    forget();
}

} // namespace orvel
