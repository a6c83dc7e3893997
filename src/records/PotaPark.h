// The references of the Parks on the Air programme: "POTA" before the blank, then a park
// written as its country prefix, a hyphen and 4 or 5 digits ("POTA FR-0123").
#pragma once

#include <QString>
#include <optional>

namespace orvel {

// Whether the reference's programme, the part before its first blank, is "POTA"
// (case-sensitive, as the other programmes are recognised).
bool isPotaReference(const QString &reference);

// The park of a POTA reference: what follows the first blank, trimmed.
QString potaPark(const QString &reference);

// A park of the form XX-NNNN or XX-NNNNN: 1 to 4 capitals or digits, a hyphen, 4 or 5 digits.
bool isParkReference(const QString &park);

// The setup window's refusal of a POTA reference whose park has another form; nothing for a
// valid one or a reference of another programme.
std::optional<QString> potaReferenceMessage(const QString &reference);

// The export's refusal of a POTA reference whose park has another form (a list edited by hand).
QString refusedParkMessage(const QString &reference);

} // namespace orvel
