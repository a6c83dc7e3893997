// Importing an ADIF file (the ADI form that phone apps, other loggers and digital-mode programs
// write) into the logs of the open references, as if its QSOs had been typed in deferred entry:
// each record becomes the log line the entry window would have stored, is left out when the
// current log already holds it, or is refused with its reason; the lines kept go to their place
// in time in every log of the group, through the session, with one rewrite per log.
#pragma once

#include "records/FirstNames.h"
#include "records/LogFiles.h"
#include "records/LogModes.h"
#include "records/QsoLine.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace orvel {

class CurrentLog;
class Session;

// One record of an ADI file. A file of 100,000 QSOs is held whole while it is imported, so a
// record keeps its values in one text, each field pointing into it.
struct AdifRecord {
    struct Field {
        QString name; // in capitals, shared by every record that has the field
        qsizetype from = 0;
        qsizetype length = 0;
    };
    int number = 0; // from 1, in the order of the file
    // The values one after another, as read (decoded, not trimmed).
    QString values;
    // The fields in the order of the file.
    QList<Field> fields;
    // Why the record cannot be read whole (cut short at the end of the file); empty otherwise.
    QString damage;
    // Values whose declared length ran over the next tag, read up to it as their writer meant.
    int mendedLengths = 0;

    // The value of a field, blanks trimmed; empty when the record has none. A field the record
    // gives twice has its last value.
    QString value(const QString &name) const;
    void add(const QString &name, QStringView value);
};

// What reading a file gave: its records, or why it is not an ADIF file.
struct AdifReading {
    QList<AdifRecord> records;
    // Empty when the file reads as ADIF (even without any record); otherwise the French reason.
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Told now and then how far the reading or the import has gone: done out of total.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// Reads the records of an ADI file's bytes. The header, if any, ends at <eoh>; each record at
// <eor>; tags are read whatever their capitals and text between fields is passed over. A UTF-8
// file is read as UTF-8 (field lengths in bytes, or in characters as some programs count them),
// any other as windows-1252. An XML (ADX) file, or one with no ADIF field at all, is refused.
AdifReading readAdif(QByteArrayView bytes, const ImportProgress &progress = {});
// The same from a file; a file that cannot be read gives its French reason.
// The largest ADIF file read: a million QSOs written by the most talkative programs.
inline constexpr qint64 kMaxAdifFileSize = qint64(1) << 30;
// Reads a regular file only (a link is followed to one), of at most kMaxAdifFileSize bytes.
AdifReading readAdifFile(const QString &path, const ImportProgress &progress = {});

// What a record needs besides its fields.
struct ImportContext {
    // The group's activator: a record whose STATION_CALLSIGN is another station was made by
    // another operator.
    QString activator;
    // The operator of a record without OPERATOR, nor STATION_CALLSIGN of another station than
    // the activator: the entry window's default operator.
    QString defaultOperator;
    // What the first-name memory knows of a call sign, as the entry window's call-sign step
    // asks it: fills a département and a first name the record lacks.
    std::function<std::optional<RememberedName>(const QString &call)> remembered;
};

// A record as a log line, or the reason it cannot be one.
struct MappedRecord {
    std::optional<QsoRecord> qso;
    QString refusal;
};

// The QSO of a record, laid out as the entry window stores it: QSO_DATE and TIME_ON (seconds
// dropped), CALL in capitals, STATE as the département of a station in France, NAME, RST_RCVD
// and RST_SENT (the mode's default report when missing), MODE and SUBMODE through the log's mode
// table (records/LogModes.h), BAND or else FREQ on one of the entry window's bands, COMMENT in
// capitals, NAME (else NAME_INTL) cut to its column at a word, and OPERATOR, else STATION_CALLSIGN
// when it names another station than the activator (with or without what follows a "/"), else the
// default operator; text folded to the files' character set and cut to its column. Refused: no call
// sign or one longer than its column, no date or time or one that does not exist, no mode or one
// the mode table has no text for, no band or one outside the entry window's bands, a damaged
// record.
MappedRecord mapAdifRecord(const AdifRecord &record, const ImportContext &context);

// The log's mode of an ADIF mode and submode: records/LogModes.h logModeOf.

// The département of an ADIF STATE of a station in France: "01" to "95", "2A", "2B" ("5" is
// "05", "2a" is "2A"); empty for any other value.
QString departmentOfState(const QString &state);

// Within how many minutes a QSO of the same call sign, band and mode counts as the same QSO.
inline constexpr int kDuplicateMinutes = 2;

enum class ImportVerdict { Imported, AlreadyInLog, Refused };

// What happens to one record.
struct ImportItem {
    int number = 0;
    QString call; // as read, for the preview and the summary
    ImportVerdict verdict = ImportVerdict::Refused;
    QString reason; // French: why left out or refused
    // The log line of a record that maps: its QSO is read back from it when shown, so that a
    // long file's plan holds one text per QSO.
    QString line;
};

struct ImportPlan {
    QList<ImportItem> items;
    int imported = 0;
    int alreadyInLog = 0;
    int refused = 0;
    int mendedLengths = 0; // values read up to the next tag their declared length ran over

    // The log lines to insert, in the order of the file.
    QStringList lines() const;
    // The first-name key lines of the QSOs to insert, each with the first word of the name.
    QStringList firstNameKeyLines() const;
    // "N QSO importés, M déjà dans le log, K refusés" (in the singular for 0 and 1: "1 QSO
    // importé, 0 refusé"), then one line per refused record: its number, call sign and reason.
    QString summary() const;
    // The line of a refused record in the summary.
    static QString refusalLine(const ImportItem &item);
};

// The first word of a name, as the first-name memory keeps it ("Jean", of "Jean A. Dupont";
// "Dupont" of "Dupont, Jean"; "Jean-Pierre" whole).
QString firstWord(const QString &name);

// A count and its word, agreed as French does: singular for 0 and 1 ("0 refusé", "2 refusés").
QString countOf(int count, const QString &singular, const QString &plural);

// Decides every record against the current log: a QSO whose call sign, band and mode match a
// line of the log (or an earlier record of the file) within kDuplicateMinutes is left out.
ImportPlan planImport(const QList<AdifRecord> &records, const ImportContext &context,
                      const CurrentLog &log);

// The outcome of an import.
struct ImportOutcome {
    ImportPlan plan;
    // The logs the QSOs went to.
    QStringList references;
    LogWriteResult write;
    // A failure of the first-name memory (the QSOs are imported all the same).
    QString memoryError;
    bool ok() const { return write.ok(); }
    // The summary when every log took the QSOs, else the French account of what was written.
    QString message() const;
};

// Imports records into every log the session stores into: decides them against the current
// log as it now stands, inserts the QSOs kept with one rewrite per log, then has the first-name
// memory learn their names (names may be null: nothing learnt).
ImportOutcome importRecords(Session &session, const QList<AdifRecord> &records,
                            const ImportContext &context, const FirstNames *names);

// The context the entry window gives: the activator, its default operator (the activator's call
// sign up to its first "/") and the first-name memory of the folder as it stands now.
ImportContext entryImportContext(const QString &activator, const FirstNames &names);

} // namespace orvel
