#include "ExportActions.h"

#include "CTraficWriter.h"
#include "records/PotaPark.h"
#include "PotaUpload.h"
#include "common/FixedColumns.h"
#include "common/ReferenceName.h"
#include "common/TextFile.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

namespace orvel {

namespace {

// A reference that cannot name a file is refused before any file is opened.
std::optional<ExportFailure> refusedReference(const QString &reference)
{
    const auto why = referenceNameMessage(reference);
    if (!why)
        return std::nullopt;
    const QString message = refusedReferenceMessage(reference, *why);
    return ExportFailure{0, QString(), message, message};
}

void fail(ExportOutcome &outcome, const ExportReport &report, const ExportFailure &failure)
{
    outcome.failures.append(failure);
    if (report.failed)
        report.failed(failure);
}

void record(ExportOutcome &outcome, const ExportReport &report, const QString &fileName,
            const std::optional<ExportFailure> &failure)
{
    if (failure) {
        fail(outcome, report, *failure);
        return;
    }
    outcome.writtenFiles.append(fileName);
    if (report.written)
        report.written(fileWrittenMessage(fileName));
}

ExportReport dialogsReport(Dialogs &dialogs)
{
    return {[&dialogs](const QString &message) { dialogs.message(message); },
            [&dialogs](const ExportFailure &failure) { dialogs.message(failure.message); }};
}

ExportFailure nothingToExport()
{
    return {0, QString(), nothingToExportMessage(), nothingToExportMessage()};
}

} // namespace

QString fileWrittenMessage(const QString &fileName)
{
    return QStringLiteral("Le fichier a été crée sous le nom ") + fileName;
}

QString nothingToExportMessage()
{
    return QStringLiteral("Aucune activation n'est ouverte : il n'y a rien à exporter.");
}

namespace {

// A log as an export run read it: its bytes, or why it could not be read.
struct ReadLog {
    QByteArray bytes;
    std::optional<ExportFailure> failure;
};

QString logPath(const QString &folder, const QString &reference)
{
    return referenceFilePath(folder, reference, QStringLiteral(".txt"));
}

ReadLog readLog(const QString &folder, const QString &reference)
{
    ReadLog log;
    log.failure = readLogFile(logPath(folder, reference), &log.bytes);
    return log;
}

// A log an export reads a block at a time as it writes: where it is, or why it cannot be
// read (looked at once for the run).
struct StreamedLog {
    QString path;
    std::optional<ExportFailure> failure;
};

StreamedLog streamedLog(const QString &folder, const QString &reference)
{
    const QString path = logPath(folder, reference);
    return {path, checkLogFile(path)};
}

std::optional<ExportFailure> refusedAdifFile(const QString &logReference, const AdifFileData &data)
{
    if (auto refused = refusedReference(logReference))
        return refused;
    return refusedReference(data.reference);
}

std::optional<ExportFailure> writeAdifFile(const QString &folder, const ReadLog &log,
                                           const AdifFileData &data, const QDateTime &createdUtc)
{
    if (log.failure)
        return log.failure;
    const QString path = dataFilePath(folder, adifFileName(data.reference, data.variant));
    return writeExportFile(
        path, [&](QIODevice &device) { return writeAdif(device, log.bytes, data, createdUtc); });
}

std::optional<ExportFailure> writeAdifFile(const QString &folder, const StreamedLog &log,
                                           const AdifFileData &data, const QDateTime &createdUtc)
{
    if (log.failure)
        return log.failure;
    const QString path = dataFilePath(folder, adifFileName(data.reference, data.variant));
    return writeExportFromLog(path, log.path, [&](QIODevice &device, const LogLines &lines) {
        return writeAdif(device, lines, data, createdUtc);
    });
}

// A POTA park whose number has another form gets no file at all.
std::optional<ExportFailure> refusedPark(const QString &reference)
{
    if (isParkReference(potaPark(reference)))
        return refusedReference(reference);
    const QString message = refusedParkMessage(reference);
    return ExportFailure{0, QString(), message, message};
}

// The upload files of a park, one per day of its log; returns the names written.
QStringList writePotaUploads(const QString &folder, const PotaDays &days, const AdifFileData &data,
                             const QDateTime &createdUtc, ExportOutcome &outcome,
                             const ExportReport &report)
{
    QStringList written;
    if (days.days.isEmpty())
        return written;
    const QString park = potaPark(data.reference);
    const std::optional<QString> call = potaUploadCall(data.activator);
    if (!call) {
        const QString message = potaUploadCallMessage(park, data.activator);
        fail(outcome, report, {0, QString(), message, message});
        return written;
    }
    for (const PotaDay &day : days.days) {
        const QString name = potaUploadFileName(*call, park, day.day);
        const auto failure = writeExportFile(dataFilePath(folder, name), [&](QIODevice &device) {
            return writeAdif(device, day.log, data, createdUtc);
        });
        if (failure) {
            fail(outcome, report, *failure);
            continue;
        }
        written.append(name);
        outcome.writtenFiles.append(name);
    }
    return written;
}

// A POTA park: its ADIF file from its own log, then its upload files, told in one message
// with the count of each day.
void exportPotaPark(const QString &folder, std::optional<ReadLog> &log, const AdifFileData &data,
                    const QDateTime &createdUtc, ExportOutcome &outcome, const ExportReport &report)
{
    if (auto refused = refusedPark(data.reference)) {
        fail(outcome, report, *refused);
        return;
    }
    if (!log)
        log = readLog(folder, data.reference);
    if (log->failure) {
        fail(outcome, report, *log->failure);
        return;
    }
    QStringList message;
    const QString fileName = adifFileName(data.reference, data.variant);
    if (auto failure = writeAdifFile(folder, *log, data, createdUtc)) {
        fail(outcome, report, *failure);
    } else {
        outcome.writtenFiles.append(fileName);
        message.append(fileWrittenMessage(fileName));
    }
    const PotaDays days = potaDays(log->bytes);
    const QStringList uploads = writePotaUploads(folder, days, data, createdUtc, outcome, report);
    message.append(potaUploadSummary(potaPark(data.reference), days, uploads));
    if (report.written)
        report.written(message.join(QLatin1Char('\n')));
}

} // namespace

std::optional<ExportFailure> exportAdifFile(const QString &folder, const QString &logReference,
                                            const AdifFileData &data, const QDateTime &createdUtc)
{
    if (auto refused = refusedAdifFile(logReference, data))
        return refused;
    return writeAdifFile(folder, streamedLog(folder, logReference), data, createdUtc);
}

std::optional<ExportFailure> exportCTraficFile(const QString &folder, const QString &reference)
{
    if (auto refused = refusedReference(reference))
        return refused;
    const StreamedLog log = streamedLog(folder, reference);
    if (log.failure)
        return log.failure;
    return writeExportFromLog(dataFilePath(folder, ctraficFileName(reference)), log.path,
                              [](QIODevice &device, const LogLines &lines) {
                                  return writeCTrafic(device, lines);
                              });
}

ExportOutcome runAdifExport(const Session &session, const Clock &clock, const ExportReport &report)
{
    ExportOutcome outcome;
    const QString &folder = session.folder();
    const Activation &current = session.activation();
    const QStringList &open = session.openReferences();
    if (open.isEmpty()) {
        outcome.failures.append(nothingToExport());
        if (report.failed)
            report.failed(outcome.failures.last());
        return outcome;
    }
    const QString activator = trimBlanks(current.activator);
    // The current log feeds every standard file: it is looked at once for the run, as is an
    // activation's own log for its layouts, and read a block at a time by each file. A POTA
    // park's log is read whole: its upload files split it by day.
    std::optional<StreamedLog> currentLog;
    for (const QString &reference : open) {
        std::optional<ReadLog> ownLog;
        std::optional<StreamedLog> ownStreamedLog;
        for (const AdifVariant variant : adifVariants(reference)) {
            const AdifFileData data{variant, reference, activator};
            if (variant == AdifVariant::Pota) {
                exportPotaPark(folder, ownLog, data, clock.utcNow(), outcome, report);
                continue;
            }
            const bool standard = variant == AdifVariant::Standard;
            const QString &logReference = standard ? current.reference : reference;
            std::optional<StreamedLog> &log = standard ? currentLog : ownStreamedLog;
            std::optional<ExportFailure> failure = refusedAdifFile(logReference, data);
            if (!failure) {
                if (!log)
                    log = streamedLog(folder, logReference);
                failure = writeAdifFile(folder, *log, data, clock.utcNow());
            }
            record(outcome, report, adifFileName(reference, variant), failure);
        }
    }
    return outcome;
}

ExportOutcome runCTraficExport(const Session &session, const ExportReport &report)
{
    ExportOutcome outcome;
    const QString &reference = session.currentReference();
    if (trimBlanks(reference).isEmpty()) {
        outcome.failures.append(nothingToExport());
        if (report.failed)
            report.failed(outcome.failures.last());
        return outcome;
    }
    record(outcome, report, ctraficFileName(reference),
           exportCTraficFile(session.folder(), reference));
    return outcome;
}

ExportOutcome exportAdif(const Session &session, const Clock &clock, Dialogs &dialogs,
                         const std::function<void(const QString &title)> &showTitle)
{
    if (showTitle)
        showTitle(adifTitle(trimBlanks(session.activation().activator)));
    return runAdifExport(session, clock, dialogsReport(dialogs));
}

ExportOutcome exportCTrafic(const Session &session, Dialogs &dialogs)
{
    return runCTraficExport(session, dialogsReport(dialogs));
}

} // namespace orvel
