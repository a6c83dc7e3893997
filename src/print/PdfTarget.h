// Where a PDF may be written. A print to a file runs while the windows are open, and ".txt"
// typed for ".pdf" is an easy slip: a PDF never takes the place of a data file of the program
// (a log, a list, the journal, the lock, a scratch file, an export), under its own name or
// through a link, nor of any existing file that is not a PDF.
#pragma once

#include <QString>

namespace orvel {

// Why no PDF may be written at path, in French; empty when one may.
QString pdfTargetRefusal(const QString &path);

} // namespace orvel
