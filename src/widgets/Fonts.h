// Fixed-pitch fonts asked for by name, with a fixed-pitch fallback so columns stay aligned.
#pragma once

#include <QFont>
#include <QStringList>

namespace orvel {

// The first installed family of names; else an installed fixed-pitch family
// (Liberation Mono, DejaVu Sans Mono, the system's fixed font), never a proportional one.
QFont fixedPitchFont(const QStringList &names, qreal pointSize, bool bold = false);

// The family asked for by name, or a fixed-pitch stand-in condensed or widened to the
// character width of the family it replaces ("Letter Gothic" half an em, "Courier New" 0.6
// em), so that text laid out for that family keeps its width.
QFont pitchKeepingFont(const QString &family, qreal pointSize, bool bold = false);
// The character width of a known family, in ems; 0 when unknown.
qreal knownPitch(const QString &family);

inline QFont letterGothic(qreal pointSize, bool bold = false)
{
    return fixedPitchFont({QStringLiteral("Letter Gothic")}, pointSize, bold);
}
inline QFont courierNew(qreal pointSize, bool bold = false)
{
    return fixedPitchFont({QStringLiteral("Courier New")}, pointSize, bold);
}
inline QFont terminalFont(qreal pointSize, bool bold = false)
{
    return fixedPitchFont({QStringLiteral("Terminal")}, pointSize, bold);
}

} // namespace orvel
