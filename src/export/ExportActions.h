// The export menu actions of the entry window: the ADIF files of the open activations and
// the C_Trafic file of the current one, written into the data folder.
#pragma once

#include "AdifWriter.h"
#include "ExportFiles.h"
#include "records/Session.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace orvel {

class Clock;
class Dialogs;

// What an export run did.
struct ExportOutcome {
    QStringList writtenFiles; // file names, in the order they were written
    QList<ExportFailure> failures;
    bool ok() const { return failures.isEmpty(); }
};

// Where a run tells what happens, file by file, as it goes.
struct ExportReport {
    std::function<void(const QString &message)> written;
    std::function<void(const ExportFailure &failure)> failed;
};

// "Le fichier a été crée sous le nom " and the file name.
QString fileWrittenMessage(const QString &fileName);

// Shown when no activation is open: there is nothing to export.
QString nothingToExportMessage();

// One ADIF file: reads logReference's log in folder and writes the file of data's variant.
std::optional<ExportFailure> exportAdifFile(const QString &folder, const QString &logReference,
                                            const AdifFileData &data, const QDateTime &createdUtc);

// One C_Trafic file: reads reference's log in folder and writes reference + ".ctf".
std::optional<ExportFailure> exportCTraficFile(const QString &folder, const QString &reference);

// Every open activation in list order, each to its variants: the standard file from the
// current activation's log, the WFF, DMSM and POTA files from the activation's own log, each
// log read once for the run. A POTA park also gets one upload file per UTC day of its log, and
// one message names its files with the count of each day. A failed file is reported and the
// run goes on with the next one.
ExportOutcome runAdifExport(const Session &session, const Clock &clock, const ExportReport &report);

// The current activation's log to its C_Trafic file.
ExportOutcome runCTraficExport(const Session &session, const ExportReport &report);

// "Exporter au format ADIF": every message (file written, "Erreur ...") goes through dialogs,
// one after the other. showTitle, when given, receives the export title before the first
// file is written (the entry window shows it in Entete).
ExportOutcome exportAdif(const Session &session, const Clock &clock, Dialogs &dialogs,
                         const std::function<void(const QString &title)> &showTitle = {});

// "Exporter au format C_Trafic", messages through dialogs.
ExportOutcome exportCTrafic(const Session &session, Dialogs &dialogs);

} // namespace orvel
