#include "LabelPrinting.h"

#include "Diagnostics.h"
#include "platform/Settings.h"
#include "platform/WorkingDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextStream>

namespace orvel {

void prepareLabelPrinter(QPrinter &printer)
{
    // Every sheet of the five formats is an A4 sheet.
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

PlayResult printLabels(const PrintScript &script, QPrinter &printer, const ScriptPlayer::Ask &ask,
                       const ScriptPlayer::DocumentEnded &documentEnded)
{
    prepareLabelPrinter(printer);
    return ScriptPlayer::play(script, printer, ask, documentEnded);
}

PlayResult printLabelsToPdf(const PrintScript &script, const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("Orvel Multi"));
    writer.setTitle(QStringLiteral("Etiquettes pour QSL"));
    return ScriptPlayer::play(script, writer);
}

void previewLabels(const PrintScript &script, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    prepareLabelPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Aperçu des étiquettes"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&script](QPrinter *target) {
                         // Every sheet on a page of its own, as a file gets them.
                         ScriptPlayer::play(script, static_cast<QPagedPaintDevice &>(*target));
                     });
    dialog.resize(900, 1000);
    dialog.exec();
}

int runLabelCommandLine(const QStringList &arguments, const LabelCommandOptions &options,
                        const QString &folderOption)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString folder = commandLineFolder(folderOption, err);
    if (folder.isEmpty())
        return 1;
    const QtSettings settings;
    const LabelCommandPlan plan = planLabelCommand(arguments, options, folder, settings);
    if (!plan.ok()) {
        err << plan.error << Qt::endl;
        return 1;
    }
    const PlayResult result = printLabelsToPdf(plan.script, plan.pdfPath);
    if (result.failed) {
        err << QStringLiteral("Le fichier %1 ne peut pas être écrit.")
                   .arg(QDir::toNativeSeparators(plan.pdfPath))
            << Qt::endl;
        return 1;
    }
    out << QStringLiteral("%1 étiquette(s) sur %2 feuille(s) dans %3")
               .arg(plan.labels)
               .arg(result.documents)
               .arg(QDir::toNativeSeparators(plan.pdfPath))
        << Qt::endl;
    return 0;
}

} // namespace orvel
