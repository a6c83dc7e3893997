// Fixed-pitch fonts asked for by name, with a fixed-pitch fallback so columns stay aligned.
#pragma once

#include <QFont>
#include <QStringList>

namespace orvel {

// The first installed family of names; else an installed fixed-pitch family
// (Liberation Mono, DejaVu Sans Mono, the system's fixed font), never a proportional one.
QFont fixedPitchFont(const QStringList &names, qreal pointSize, bool bold = false);

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
