// Plays a print script on a paged device. On a printer every document is a print job of its
// own; in a PDF file (or any other paged device) every document starts on a new page of the
// one file. A full page goes on to a new one by itself, as a printer does.
#pragma once

#include "PrintScript.h"

#include <QPageLayout>
#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace orvel {

struct PlayResult {
    int documents = 0;    // documents ended (sent)
    int pages = 0;        // pages with something printed on them
    bool stopped = false; // a question was answered No
    bool failed = false;  // the device could not be opened
};

class ScriptPlayer
{
public:
    // Answers the script's questions; without one, every question is answered Yes.
    using Ask = std::function<bool(const QString &question)>;
    // Told after each document is sent, with the count so far; a window lets its events run
    // there, so that a long run never holds it still for long.
    using DocumentEnded = std::function<void(int documents)>;

    // On a printer chosen in the print dialog (its output may be a PDF file).
    static PlayResult play(const PrintScript &script, QPrinter &printer, const Ask &ask = {},
                           const DocumentEnded &documentEnded = {});
    // On any paged device, such as a QPdfWriter.
    static PlayResult play(const PrintScript &script, QPagedPaintDevice &device,
                           const Ask &ask = {}, const DocumentEnded &documentEnded = {});
    // Into a PDF file at path (replaced), on A4 sheets in the given orientation.
    static PlayResult playToPdf(const PrintScript &script, const QString &path, const Ask &ask = {},
                                QPageLayout::Orientation orientation = QPageLayout::Portrait);
};

} // namespace orvel
