// The first-name memory Liste_Prenom.txt.
//
// How the entry window uses it:
//  - Enter in Indi_Q (after the already-worked check of logging/AlreadyWorked.h):
//    FirstNames::lookup(); when it finds the call sign, enable Dpt_Q and Prenom_Q and put
//    department and firstName into them; otherwise leave both fields as they are.
//  - At construction, hand FirstNames::updateHook() to QsoStore: every stored, edited or
//    inserted QSO then writes its call sign, département and first name back to the memory.
#pragma once

#include "LogFiles.h"
#include "common/TextFile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace orvel {

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
// when the file's size or time changed (another program may edit it). A copy is used on the
// thread that made the FirstNames only.
class FirstNames
{
public:
    explicit FirstNames(QString folder);

    QString path() const;

    // Starts reading the memory on a thread of its own, so that the first lookup finds it read
    // (it waits for the reading when it comes too early). The entry window calls it when it
    // opens.
    void preload() const;

    // The remembered values of a call sign (exact comparison, capitals matter); when the call
    // sign stands on several lines, the last one wins. Empty when unknown.
    std::optional<RememberedName> lookup(const QString &call) const;

    // What the memory holds now, for many lookups in a row (an import asks for thousands of
    // call signs): the file is checked once, when the snapshot is taken, not at each lookup.
    class Snapshot
    {
    public:
        std::optional<RememberedName> lookup(const QString &call) const;

    private:
        friend class FirstNames;
        QHash<QString, QString> m_lines;
    };
    Snapshot snapshot() const;

    // Writes a first-name key line (QsoLine.h firstNameKeyLine) to the memory through the
    // scratch file: it takes the place of every line of its call sign, or is appended at the
    // end when the call sign has none. A key line without a call sign changes nothing.
    FileResult update(const QString &keyLine) const;

    // Writes many key lines as update() would one after the other, with one append or one
    // rewrite of the file for all of them: what an import of thousands of QSOs needs.
    FileResult updateMany(const QStringList &keyLines) const;

    // The hook for QsoStore. A failed update is reported to onFailure with a French message;
    // the QSO itself is stored all the same.
    FirstNameUpdate updateHook(std::function<void(const QString &message)> onFailure = {}) const;

private:
    struct Memory;
    struct Cache;
    static Memory readMemory(const QString &path);
    // Brings the cache in step with the file.
    void refresh() const;
    void noteWritten() const;

    QString m_folder;
    std::shared_ptr<Cache> m_cache;
};

} // namespace orvel
