#include "Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace orvel {

QFont fixedPitchFont(const QStringList &names, qreal pointSize, bool bold)
{
    const QStringList families = QFontDatabase::families();
    QString chosen;
    for (const QString &name : names) {
        if (families.contains(name, Qt::CaseInsensitive) && QFontDatabase::isFixedPitch(name)) {
            chosen = name;
            break;
        }
    }
    if (chosen.isEmpty()) {
        const QStringList fallbacks = {
            QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
            QStringLiteral("Courier New"), QStringLiteral("Courier 10 Pitch")};
        for (const QString &name : fallbacks) {
            if (families.contains(name, Qt::CaseInsensitive)) {
                chosen = name;
                break;
            }
        }
    }
    QFont font =
        chosen.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(chosen);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

qreal knownPitch(const QString &family)
{
    if (family.compare(QLatin1String("Letter Gothic"), Qt::CaseInsensitive) == 0)
        return 0.5;
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return 0.6;
    return 0;
}

QFont pitchKeepingFont(const QString &family, qreal pointSize, bool bold)
{
    QFont font = fixedPitchFont({family}, pointSize, bold);
    const qreal wanted = knownPitch(family);
    if (wanted <= 0 || QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0)
        return font;
    // Measured on an em of 1000 pixels, where hinting no longer rounds the width.
    QFont probe = font;
    probe.setPixelSize(1000);
    const qreal pitch = QFontMetricsF(probe).horizontalAdvance(QLatin1Char('0')) / 1000;
    if (pitch <= 0)
        return font;
    const int stretch = qRound(100 * wanted / pitch);
    if (qAbs(stretch - 100) > 1)
        font.setStretch(stretch);
    return font;
}

} // namespace orvel
