#include "ExportActions.h"

#include "CTraficWriter.h"
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

void record(ExportOutcome &outcome, const ExportReport &report, const QString &fileName,
            const std::optional<ExportFailure> &failure)
{
    if (failure) {
        outcome.failures.append(*failure);
        if (report.failed)
            report.failed(*failure);
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

std::optional<ExportFailure> exportAdifFile(const QString &folder, const QString &logReference,
                                            const AdifFileData &data, const QDateTime &createdUtc)
{
    if (auto refused = refusedReference(logReference))
        return refused;
    if (auto refused = refusedReference(data.reference))
        return refused;
    QString text;
    if (auto failure =
            readLogFile(referenceFilePath(folder, logReference, QStringLiteral(".txt")), &text))
        return failure;
    const QList<QStringView> lines = lineViews(text);
    const QString path = dataFilePath(folder, adifFileName(data.reference, data.variant));
    return writeExportFile(
        path, [&](QIODevice &device) { return writeAdif(device, lines, data, createdUtc); });
}

std::optional<ExportFailure> exportCTraficFile(const QString &folder, const QString &reference)
{
    if (auto refused = refusedReference(reference))
        return refused;
    QString text;
    if (auto failure =
            readLogFile(referenceFilePath(folder, reference, QStringLiteral(".txt")), &text))
        return failure;
    const QList<QStringView> lines = lineViews(text);
    return writeExportFile(dataFilePath(folder, ctraficFileName(reference)),
                           [&lines](QIODevice &device) { return writeCTrafic(device, lines); });
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
    for (const QString &reference : open) {
        for (const AdifVariant variant : adifVariants(reference)) {
            const AdifFileData data{variant, reference, activator};
            const QString logReference =
                variant == AdifVariant::Standard ? current.reference : reference;
            record(outcome, report, adifFileName(reference, variant),
                   exportAdifFile(folder, logReference, data, clock.utcNow()));
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
