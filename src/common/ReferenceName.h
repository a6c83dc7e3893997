// The one check of a reference that names data files (its log, its exports, its listings):
// whatever its source (setup window, activation list, command line), a reference that could
// reach outside the data folder or make an unsafe file name is refused.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace orvel {

// Why reference cannot name a file, as the setup window says it: an empty reference, a path
// separator "/" (first) or "\", one of : * ? " < > |, the sequence "..", a character the data
// files cannot hold or a control character (NUL among them), a final dot, the name of one of the
// program's own files in any letter case (Liste_Prenom, Liste_Activite, Continents_DXCC, the
// folder's lock Orvel_Multi, the scratch files Temporaire...). Old references without a blank
// pass.
std::optional<QString> referenceNameMessage(const QString &reference);

// The reference as a message shows it: each control character as \x and its two hex digits,
// so that a NUL or a line end in a hand-edited list can be seen and never cuts the message.
QString shownReference(const QString &reference);

// The message refusing a reference read from the activation list or the command line.
QString refusedReferenceMessage(const QString &reference, const QString &why);

// The refusal of the first reference of references that cannot name a file.
std::optional<QString> firstRefusedReference(const QStringList &references);

// folder, the platform's separator, reference and suffix (".txt", ".adi", " Sp.adi"...); empty
// when the reference cannot name a file, so that nothing outside the data folder is opened.
QString referenceFilePath(const QString &folder, const QString &reference, const QString &suffix);

} // namespace orvel
