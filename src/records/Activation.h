// An activation: the nine fields that describe one activated reference, and its
// 139-character line in Liste_Activite.txt.
#pragma once

#include "LineLayout.h"

#include <QString>

namespace orvel {

struct Activation {
    QString reference;  // Num_Activite, names the log file
    QString activator;  // Activeur
    QString name;       // Nom_Activite
    QString canton;     // Num_Canton
    QString postalCode; // Num_CP
    QString type;       // Type_Activite
    QString date;       // Date_Activite
    QString commune;    // Nom_Commune
    QString logger;     // Logger

    bool operator==(const Activation &) const = default;
};

namespace actcol {
// The activation line. Every column but the reference and the commune is followed by a
// separating blank.
inline constexpr LineColumn kReference{"reference", 1, 13};
inline constexpr LineColumn kActivator{"activator", 14, 10};
inline constexpr LineColumn kName{"name", 25, 35};
inline constexpr LineColumn kCanton{"canton", 61, 4};
inline constexpr LineColumn kPostalCode{"postalCode", 66, 5};
inline constexpr LineColumn kType{"type", 72, 12};
inline constexpr LineColumn kDate{"date", 85, 8};
inline constexpr LineColumn kCommune{"commune", 94, 35};
inline constexpr LineColumn kLogger{"logger", 129, 10};
// Readers take the commune one column to the left, from the blank that ends the date: its
// last character is never read back. Stored lists rely on it.
inline constexpr LineColumn kCommuneRead{"commune", 93, 35};

inline constexpr int kLineLength = kLogger.end(); // 139
// The older layout ends after the date column.
inline constexpr int kOldLineLength = kDate.end(); // 93
// A registration replaces the line whose first 60 characters are the same.
inline constexpr int kRegistrationKeyLength = kName.last() + 1;
} // namespace actcol

inline constexpr int kActivationLineLength = actcol::kLineLength;
inline constexpr int kOldActivationLineLength = actcol::kOldLineLength;
inline constexpr int kReferenceWidth = actcol::kReference.width;

// The 139-character line; values are trimmed, and cut to their column when longer.
QString formatActivationLine(const Activation &activation);

// The activation of a line, each value read from its columns and trimmed. A 93-character
// line (the older layout) has an empty commune and logger.
Activation parseActivationLine(const QString &line);

// The reference of a line: trimmed columns 1-13.
QString referenceOfLine(const QString &line);

// The group block lines.
inline const QString kGroupMarker = QStringLiteral("<eol>");

} // namespace orvel
