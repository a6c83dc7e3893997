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
    // From Créer until the group is closed: a stored activation registered again meanwhile
    // joins the group being built.
    bool isCreating() const;

    bool contains(const QString &reference) const;
    // A reference whose line was written inside the group's block, in file order.
    void addWritten(const QString &reference);
    // The first reference registered keeps its place as the group's own.
    void noteRegistered(const QString &reference);
    QString firstReference() const;
    // The number of lines written for the group, which stand directly above its closing marker.
    int writtenCount() const;

    // Forgets the group's references; the creation goes on.
    void forget();
    // The group is written and closed: the creation is over.
    void close();

private:
    bool m_creating = false;
    QString m_firstReference;
    QStringList m_written;
};

} // namespace orvel
