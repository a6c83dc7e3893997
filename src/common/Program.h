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
// line, then the credits of the built-in data.
QString aboutText();
// The credits of the data the program comes with: the map of the départements and the country
// table.
QString dataCredits();
// The answer to the manual entry of the help menu.
QString manualNotice();

} // namespace orvel
