// ASCII folding for the exchange files: an ADI file may only hold the printable ASCII
// characters 32 to 126, while French names and remarks carry accents.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace orvel {

// text with every letter folded to its unaccented form (é→e, ç→c, œ→oe, ß→ss), typographic
// quotes and dashes turned to their ASCII look-alikes, control characters to blanks, and any
// character still outside 32..126 to '?'. ASCII text comes back unchanged.
QString asciiFolded(const QString &text);

// The same folding, appended to out as ASCII bytes.
void appendAsciiFolded(std::string &out, QStringView text);

bool isPrintableAscii(QStringView text);

// The same folding for text as stored in the files (windows-1252 bytes), appended to out: each
// byte folds as the character it stands for.
void appendAsciiFolded(std::string &out, std::string_view windows1252);

bool isPrintableAscii(std::string_view bytes);

// The most ASCII characters one character of the files folds to.
size_t longestAsciiFold();

} // namespace orvel
