// The services of the call-sign step: the first-name memory Liste_Prenom.txt and the
// already-worked check on the current activation's log.
//
// How the entry window uses them:
//  - Enter in Indi_Q, no QSO being edited: askCancelAlreadyWorked(); on true, empty Indi_Q,
//    Dpt_Q and Prenom_Q and keep the focus on Indi_Q. Then, edited or not:
//    FirstNames::lookup(); when it finds the call sign, enable Dpt_Q and Prenom_Q and put
//    department and firstName into them; otherwise leave both fields as they are.
//  - At construction, hand FirstNames::updateHook() to QsoStore: every stored, edited or
//    inserted QSO then writes its call sign, département and first name back to the memory.
#pragma once

#include "LogFiles.h"
#include "common/TextFile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace orvel {

class Dialogs;
class Session;

inline const QString kFirstNamesFile = QStringLiteral("Liste_Prenom.txt");

// What the memory holds for a call sign: the département ("" when none) and the first name.
struct RememberedName {
    QString department;
    QString firstName;
    bool operator==(const RememberedName &) const = default;
};

// Liste_Prenom.txt: one line per call sign, in the order call signs were first stored: call
// sign, département (two blanks when none), then the first name as typed to the line's end.
// A missing file is an empty memory; the first update creates it.
//
// The memory is kept in memory, shared by every copy of one FirstNames, and read again only
// when the file's size or time changed (another program may edit it).
class FirstNames
{
public:
    explicit FirstNames(QString folder);

    QString path() const;

    // The remembered values of a call sign (exact comparison, capitals matter); when the call
    // sign stands on several lines, the last one wins. Empty when unknown.
    std::optional<RememberedName> lookup(const QString &call) const;

    // Writes a first-name key line (QsoLine.h firstNameKeyLine) to the memory through the
    // scratch file: it takes the place of every line of its call sign, or is appended at the
    // end when the call sign has none. A key line without a call sign changes nothing.
    FileResult update(const QString &keyLine) const;

    // The hook for QsoStore. A failed update is reported to onFailure with a French message;
    // the QSO itself is stored all the same.
    FirstNameUpdate updateHook(std::function<void(const QString &message)> onFailure = {}) const;

private:
    struct Cache;
    // Brings the cache in step with the file.
    void refresh() const;
    void noteWritten() const;

    QString m_folder;
    std::shared_ptr<Cache> m_cache;
};

// The earlier QSO that the already-worked check found.
struct EarlierContact {
    QString date;      // dd/mm/yy, as stored (8 characters)
    QString time;      // hh:mm, as stored (5 characters)
    QString firstName; // trimmed
    bool operator==(const EarlierContact &) const = default;
};

// The first line of a log with the same call sign, band ("7") and mode ("SSB"), each compared
// exactly after trimming blanks. Empty when there is none or the call sign is empty.
std::optional<EarlierContact> findEarlierContact(const QStringList &logLines, const QString &call,
                                                 const QString &band, const QString &mode);

// The Yes/No question of the already-worked check; band is the text of Bande_Q ("7").
QString alreadyWorkedQuestion(const QString &call, const EarlierContact &earlier,
                              const QString &band);

// The check of the call-sign step on the session's current log only (other open activations
// are never consulted). When an earlier QSO is found, asks the question through dialogs; true
// when the user chose to cancel the entry.
bool askCancelAlreadyWorked(Dialogs &dialogs, const Session &session, const QString &call,
                            const QString &band, const QString &mode);

} // namespace orvel
