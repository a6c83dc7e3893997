#include "LabelPrinting.h"

#include "Diagnostics.h"
#include "platform/Settings.h"
#include "records/CommandContext.h"
#include "widgets/WindowBasics.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define orvel_isatty _isatty
#define orvel_fileno _fileno
#else
#include <unistd.h>
#define orvel_isatty isatty
#define orvel_fileno fileno
#endif

namespace orvel {

namespace {
const QString kLabelsTitle = QStringLiteral("Etiquettes pour QSL");
} // namespace

PlayResult printLabels(const PrintScript &script, QPrinter &printer, const PlayOptions &options)
{
    return ScriptPlayer::play(script, printer, options);
}

PlayResult printLabelsToPdf(const PrintScript &script, const QString &path,
                            const PlayOptions &options)
{
    return printLabelsToPdf(ScriptPieces::of(script), path, options);
}

PlayResult printLabelsToPdf(const ScriptPieces &pieces, const QString &path,
                            const PlayOptions &options)
{
    PlayOptions titled = options;
    titled.title = kLabelsTitle;
    return ScriptPlayer::playToPdf(pieces, path, titled);
}

void previewLabels(const PrintScript &script, const QString &title, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kLabelsTitle);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&script](QPrinter *target) {
                         PlayOptions options;
                         options.showGuides = ScriptPlayer::isPreview(*target);
                         ScriptPlayer::play(script, *target, options);
                     });
    // A sheet shown as tall as the screen lets it be.
    dialog.resize(900, 1000);
    keepOnScreen(dialog, nullptr);
    dialog.exec();
}

QString labelRunFailure(const PlayResult &result, const QString &target)
{
    if (!result.failed)
        return {};
    if (!result.error.isEmpty())
        return result.error + QStringLiteral(" : aucune étiquette n'y a été imprimée.");
    return QStringLiteral("L'impression des étiquettes n'a pas pu commencer : %1 n'est pas "
                          "accessible.")
        .arg(target);
}

int runLabelCommand(const QStringList &arguments, const LabelCommandOptions &options,
                    CommandContext &context)
{
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    const QtSettings settings;
    const LabelCommandPlan plan = planLabelCommand(arguments, options, context, settings);
    if (!plan.ok()) {
        err << plan.error << Qt::endl;
        return 1;
    }
    const QString shownPath = QDir::toNativeSeparators(plan.pdfPath);
    PlayOptions play;
    // The count of sheets written, on one line that each sheet rewrites; only for a person
    // watching a terminal, never into a file or a pipe.
    const bool terminal = orvel_isatty(orvel_fileno(stderr)) != 0;
    if (terminal) {
        play.progress = [&err](int sheets, int total) {
            err << QStringLiteral("\rÉtiquettes : feuille %1 sur %2").arg(sheets).arg(total)
                << Qt::flush;
            return true;
        };
    }
    const PlayResult result = printLabelsToPdf(plan.pieces(), plan.pdfPath, play);
    if (terminal && result.documents > 0)
        err << Qt::endl;
    if (result.failed) {
        err << (result.error.isEmpty()
                    ? QStringLiteral("Le fichier %1 ne peut pas être écrit.").arg(shownPath)
                    : result.error + QStringLiteral(" ; aucune étiquette n'a été écrite."))
            << Qt::endl;
        return 1;
    }
    out << QStringLiteral("%1 étiquette(s) sur %2 feuille(s) dans %3")
               .arg(plan.labels)
               .arg(result.documents)
               .arg(shownPath)
        << Qt::endl;
    return 0;
}

} // namespace orvel
