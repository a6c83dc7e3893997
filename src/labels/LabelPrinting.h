// Label runs on real outputs: the printer chosen in the print dialog (or the PDF file it
// offers), a PDF file given by name, the print preview, and the command line.
#pragma once

#include "LabelCommand.h"
#include "print/ScriptPlayer.h"

class QPrinter;
class QWidget;

namespace orvel {

// The run on the printer; every sheet is a print job, or a page of the one PDF file. The
// script places the labels from the paper's corner on A4 sheets.
PlayResult printLabels(const PrintScript &script, QPrinter &printer, const PlayOptions &options);
// The run into an A4 PDF file at path, one page per sheet; the former file is replaced only
// once the new one is whole.
PlayResult printLabelsToPdf(const ScriptPieces &pieces, const QString &path,
                            const PlayOptions &options = {});
PlayResult printLabelsToPdf(const PrintScript &script, const QString &path,
                            const PlayOptions &options = {});

// The run in a print preview, sheet by sheet, with the script's guides; nothing is asked.
// Printed from the preview, the guides stay off the paper.
void previewLabels(const PrintScript &script, const QString &title, QWidget *parent);

// The message that tells what a run into a file or on a printer did not do; empty when it
// went through.
QString labelRunFailure(const PlayResult &result, const QString &target);

// orvel-multi etiquettes ...: in the context's data folder, with the settings of the user.
// Returns the exit code: 0 when the file was written.
int runLabelCommand(const QStringList &arguments, const LabelCommandOptions &options,
                    CommandContext &context);

} // namespace orvel
