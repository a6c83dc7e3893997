#include "SetupState.h"

#include "common/FixedColumns.h"

namespace orvel {

Activation activationOf(const SetupTexts &texts)
{
    const auto text = [&texts](SetupField field) {
        return trimBlanks(texts[static_cast<size_t>(field)]);
    };
    Activation a;
    a.activator = text(SetupField::Activeur);
    a.logger = text(SetupField::Logger);
    a.reference = text(SetupField::NumActivite);
    a.name = text(SetupField::NomActivite);
    a.canton = text(SetupField::NumCanton);
    a.postalCode = text(SetupField::NumCP);
    a.commune = text(SetupField::NomCommune);
    a.type = text(SetupField::TypeActivite);
    a.date = text(SetupField::DateActivite);
    return a;
}

void SetupState::setActivation(const Activation &a)
{
    setText(SetupField::Activeur, a.activator);
    setText(SetupField::Logger, a.logger);
    setText(SetupField::NumActivite, a.reference);
    setText(SetupField::NomActivite, a.name);
    setText(SetupField::NumCanton, a.canton);
    setText(SetupField::NumCP, a.postalCode);
    setText(SetupField::NomCommune, a.commune);
    setText(SetupField::TypeActivite, a.type);
    setText(SetupField::DateActivite, a.date);
}

void SetupState::start()
{
    m_creating = true;
    m_counter = 0;
    forget();
}

bool SetupState::isCreating() const
{
    return m_creating;
}

bool SetupState::contains(const QString &reference) const
{
    return m_written.contains(reference);
}

void SetupState::addWritten(const QString &reference)
{
    m_written.append(reference);
}

void SetupState::noteRegistered(const QString &reference)
{
    if (m_firstReference.isEmpty())
        m_firstReference = reference;
}

QString SetupState::firstReference() const
{
    return m_firstReference;
}

int SetupState::writtenCount() const
{
    return int(m_written.size());
}

void SetupState::forget()
{
    m_firstReference.clear();
    m_written.clear();
}

void SetupState::close()
{
    m_creating = false;
    forget();
}

void SetupState::showGroup(const GroupLookup &group)
{
    m_workingList = group.workingList;
    m_openReferences = group.openReferences;
    // A closed group counts the references it opens, whichever of them was clicked.
    if (group.count)
        m_counter =
            group.openReferences.isEmpty() ? *group.count : int(group.openReferences.size());
}

void SetupState::clearGroup()
{
    m_workingList.clear();
    m_openReferences.clear();
}

SetupHandOver SetupState::handOver() const
{
    SetupHandOver handOver{current(), m_openReferences};
    if (handOver.references.isEmpty())
        handOver.references = QStringList{handOver.current.reference};
    return handOver;
}

} // namespace orvel
