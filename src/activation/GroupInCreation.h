// The group of activations being created with Créer: whether a creation has begun, the
// reference the group is shown by once it is closed, and the references written for it.
#pragma once

#include <QString>
#include <QStringList>

namespace orvel {

class GroupInCreation
{
public:
    // Every creation starts a group of its own.
    void start();
    // Once begun, a creation stays the mode of the window: later registrations of a stored
    // activation keep joining the group being built.
    bool isCreating() const;

    bool contains(const QString &reference) const;
    // A reference whose line was written inside the group's block, in file order.
    void addWritten(const QString &reference);
    // The first reference registered keeps its place as the group's own.
    void noteRegistered(const QString &reference);
    QString firstReference() const;
    // The number of lines written for the group, which stand directly above its closing marker.
    int writtenCount() const;

    // After the group is closed: its references are forgotten, the creation mode stays.
    void forget();

private:
    bool m_creating = false;
    QString m_firstReference;
    QStringList m_written;
};

} // namespace orvel
