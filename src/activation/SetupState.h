// What the setup window shows, below the window: the nine texts of the current activation,
// the group of activations being created, the open group (its working list, its references and
// their count) and the buttons the user is expected to press next. The window renders it and
// hands it over to QSO entry.
#pragma once

#include "SetupRules.h"
#include "records/Activation.h"
#include "records/ActivationList.h"

#include <QString>
#include <QStringList>
#include <array>

namespace orvel {

// The nine field texts as typed, in chain order.
using SetupTexts = std::array<QString, kSetupFieldCount>;

// The activation of the nine texts, blanks trimmed, the way log file names and lines need it.
Activation activationOf(const SetupTexts &texts);

// The buttons painted light green when the user is expected to press them.
enum class SetupButton { Creer = 1, Ajout = 2, Termine = 4, SaisieDesQso = 8 };

// What QSO entry is opened with: the current activation and the references to log into.
struct SetupHandOver {
    Activation current;
    QStringList references;
};

class SetupState
{
public:
    // --- The current activation, as typed ---------------------------------------------------
    const SetupTexts &texts() const { return m_texts; }
    QString text(SetupField field) const { return m_texts[size_t(field)]; }
    void setText(SetupField field, const QString &text) { m_texts[size_t(field)] = text; }
    // The nine fields of a stored activation.
    void setActivation(const Activation &activation);
    // The nine texts, blanks trimmed.
    Activation current() const { return activationOf(m_texts); }

    // --- The group being created with Créer -------------------------------------------------
    // Every creation starts a group of its own, counted from zero.
    void start();
    // From Créer until the group is closed: a stored activation registered again meanwhile
    // joins the group being built.
    bool isCreating() const;

    bool contains(const QString &reference) const;
    // A reference whose line was written inside the group's block, in file order.
    void addWritten(const QString &reference);
    // The first reference registered keeps its place as the group's own; the counter counts it.
    void noteRegistered(const QString &reference);
    QString firstReference() const;
    // The number of lines written for the group, which stand directly above its closing marker.
    int writtenCount() const;

    // Forgets the group's references; the creation goes on.
    void forget();
    // The group is written and closed: the creation is over.
    void close();

    // --- The open group -----------------------------------------------------------------------
    // The group a lookup found: its working list, its references, and its count when it has one.
    void showGroup(const GroupLookup &group);
    // No group open.
    void clearGroup();
    void setOpenReferences(const QStringList &references) { m_openReferences = references; }
    QStringList workingList() const { return m_workingList; }
    QStringList openReferences() const { return m_openReferences; }
    int counter() const { return m_counter; }
    void setCounter(int counter) { m_counter = counter; }

    // --- The buttons expected next ----------------------------------------------------------
    void expect(SetupButton button) { m_expected |= int(button); }
    void noLongerExpect(SetupButton button) { m_expected &= ~int(button); }
    bool isExpected(SetupButton button) const { return (m_expected & int(button)) != 0; }

    // --- The hand-over ------------------------------------------------------------------------
    // The current activation and the open group; with no group open, the current reference
    // alone, so that every QSO has a log to go to.
    SetupHandOver handOver() const;

private:
    SetupTexts m_texts;
    bool m_creating = false;
    QString m_firstReference;
    QStringList m_written;
    QStringList m_workingList;
    QStringList m_openReferences;
    int m_counter = 0;
    int m_expected = 0;
};

} // namespace orvel
