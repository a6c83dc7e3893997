// Label runs on real outputs: the printer chosen in the print dialog (or the PDF file it
// offers), a PDF file given by name, the print preview, and the command line.
#pragma once

#include "LabelCommand.h"
#include "print/ScriptPlayer.h"

class QPrinter;
class QWidget;

namespace orvel {

// A PDF file gets A4 pages (the sheets' size) and no margins: a file has no hardware margins,
// so its printable area is the whole page. A printer keeps its paper and margins.
void prepareLabelPrinter(QPrinter &printer);

// The run on the printer; every sheet is a print job, or a page of the one PDF file.
PlayResult printLabels(const PrintScript &script, QPrinter &printer, const ScriptPlayer::Ask &ask,
                       const ScriptPlayer::DocumentEnded &documentEnded = {});
// The run into an A4 PDF file at path (replaced), one page per sheet.
PlayResult printLabelsToPdf(const PrintScript &script, const QString &path);

// The run in a print preview, sheet by sheet; nothing is asked.
void previewLabels(const PrintScript &script, QWidget *parent);

// orvel-multi etiquettes ...: the data folder chosen as the windows choose it, the settings of
// the user. Returns the exit code: 0 when the file was written.
int runLabelCommandLine(const QStringList &arguments, const LabelCommandOptions &options,
                        const QString &folderOption);

} // namespace orvel
