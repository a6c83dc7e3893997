// Plays a print script on a paged device. On a printer every document is a print job of its
// own; in a PDF file (or any other paged device) every document starts on a new page of the
// one file. A full page goes on to a new one by itself, as a printer does. A PDF file is
// written whole to a scratch file beside it and only then takes the place of the former one,
// so that a failure (a full disk) or a cancelled run leaves the former file as it was.
#pragma once

#include "PrintScript.h"

#include <QPageLayout>
#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace orvel {

struct PlayResult {
    int documents = 0;      // documents ended (sent)
    int pages = 0;          // pages with something printed on them
    bool stopped = false;   // a question was answered No
    bool cancelled = false; // the run was cancelled from its progress report
    bool failed = false;    // the device could not be opened, or the file not written
    QString error;          // why, in French, when the file could not be written
};

struct PlayOptions {
    // Answers the script's questions; without one, every question is answered Yes.
    std::function<bool(const QString &question)> ask;
    // Told after each document is sent, with the count so far and the script's count; false
    // cancels the run. A window lets its events run there, so that a long run never holds it
    // still for long.
    std::function<bool(int documents, int total)> progress;
    // Draws the script's guides (the outlines of the labels on a preview).
    bool showGuides = false;
    // The title a PDF file is given.
    QString title;
};

class ScriptPlayer
{
public:
    using Ask = std::function<bool(const QString &question)>;

    // On a printer chosen in the print dialog; a PDF file it offers is written safely, as
    // playToPdf writes it.
    static PlayResult play(const PrintScript &script, QPrinter &printer,
                           const PlayOptions &options = {});
    static PlayResult play(const ScriptPieces &pieces, QPrinter &printer,
                           const PlayOptions &options = {});
    // On any paged device, such as a print preview.
    static PlayResult play(const PrintScript &script, QPagedPaintDevice &device,
                           const PlayOptions &options = {});
    // Into a PDF file at path (replaced only once it is whole), on A4 sheets in the given
    // orientation.
    static PlayResult playToPdf(const PrintScript &script, const QString &path,
                                const PlayOptions &options = {},
                                QPageLayout::Orientation orientation = QPageLayout::Portrait);
    static PlayResult playToPdf(const ScriptPieces &pieces, const QString &path,
                                const PlayOptions &options = {},
                                QPageLayout::Orientation orientation = QPageLayout::Portrait);
    // Whether the printer is drawing a print preview's pages rather than printing.
    static bool isPreview(QPrinter &printer);

    static PlayResult playToPdf(const PrintScript &script, const QString &path, const Ask &ask,
                                QPageLayout::Orientation orientation = QPageLayout::Portrait)
    {
        PlayOptions options;
        options.ask = ask;
        return playToPdf(script, path, options, orientation);
    }
};

} // namespace orvel
