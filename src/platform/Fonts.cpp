#include "Fonts.h"

#include <QFontDatabase>

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

} // namespace orvel
