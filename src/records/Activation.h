// An activation: the nine fields that describe one activated reference, and its
// 139-character line in Liste_Activite.txt.
#pragma once

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

inline constexpr int kActivationLineLength = 139;
inline constexpr int kOldActivationLineLength = 93;
inline constexpr int kReferenceWidth = 13;

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
