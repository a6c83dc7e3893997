// The program's revision and the history of its revisions.
#pragma once

#include <QString>

namespace orvel {

// The version with its revision letter (" 1.0.4c"), with its leading blank.
QString revisionText();
// The setup window's caption: "  Brivo_Orvel Multi    Revision " and the revision text.
QString setupCaption();
// Every revision entry, each followed by CRLF.
QString revisionHistory();
// The about box: "Brivo_Orvel  Revision " and the revision text, two line breaks, the credit
// line.
QString aboutText();
// The answer to the manual entry of the help menu.
QString manualNotice();

} // namespace orvel
