// The 8-bit Western character set (windows-1252) of every data file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace orvel {

QString decodeWindows1252(QByteArrayView bytes);

// Decodes bytes into text, reusing the room text already has: a pass over many lines makes no
// new string for each.
void decodeWindows1252(QByteArrayView bytes, QString &text);

// The character of one byte.
QChar windows1252Char(char byte);

// The bytes of text; characters the set cannot hold become '?' (see firstUnencodable).
QByteArray encodeWindows1252(QStringView text);

bool isWindows1252(QChar c);

// The byte of one character; '?' for a character the set cannot hold.
char windows1252Byte(QChar c);

// Text in capitals, letter by letter, where the capital is itself one windows-1252 character
// ("é" gives "É", "ÿ" gives "Ÿ"); "ß" and "µ" stay as they are, so capitals never lengthen a
// value or bring in a character the files cannot hold.
QString capitals(const QString &text);

// Text that the files can hold, from text written elsewhere (another logger's UTF-8 file, say):
// every character of the set stays as it is; any other is taken to its unaccented letter
// ("ł" gives "l", "ő" gives "o") or, when it has none, becomes '?'. Control characters become
// blanks, so a value never breaks a line.
QString foldToWindows1252(const QString &text);

// The first character of text that windows-1252 cannot hold, if any.
std::optional<QChar> firstUnencodable(const QString &text);

// The first character that must not be typed into a field: one windows-1252 cannot hold,
// or a control character.
std::optional<QChar> firstRefusedCharacter(const QString &text);

// The French message that refuses such a character.
QString refusedCharacterMessage(QChar c);

} // namespace orvel
