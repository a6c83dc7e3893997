#include "PotaPark.h"

#include "common/FixedColumns.h"

namespace orvel {

namespace {

const QString kProgramme = QStringLiteral("POTA");

bool isCapitalOrDigit(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool isPotaReference(const QString &reference)
{
    const QString trimmed = trimBlanks(reference);
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    return blank >= 0 && QStringView(trimmed).left(blank) == kProgramme;
}

QString potaPark(const QString &reference)
{
    const QString trimmed = trimBlanks(reference);
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : trimBlanks(trimmed.mid(blank + 1));
}

bool isParkReference(const QString &park)
{
    const qsizetype hyphen = park.indexOf(QLatin1Char('-'));
    const qsizetype digits = park.size() - hyphen - 1;
    if (hyphen < 1 || hyphen > 4 || digits < 4 || digits > 5)
        return false;
    for (qsizetype i = 0; i < park.size(); ++i) {
        const QChar c = park.at(i);
        if (i < hyphen ? !isCapitalOrDigit(c) : i > hyphen && !isDigit(c))
            return false;
    }
    return true;
}

std::optional<QString> potaReferenceMessage(const QString &reference)
{
    if (!isPotaReference(reference) || isParkReference(potaPark(reference)))
        return std::nullopt;
    return QStringLiteral("Attention une référence POTA s'écrit avec le préfixe du pays, un tiret "
                          "et 4 ou 5 chiffres\n") +
           QString(43, QLatin1Char(' ')) + QStringLiteral("Exemple POTA FR-0123, POTA FR-01234");
}

QString refusedParkMessage(const QString &reference)
{
    return QStringLiteral("La référence %1 n'est pas celle d'un parc POTA (préfixe du pays, un "
                          "tiret et 4 ou 5 chiffres, par exemple POTA FR-0123) : aucun fichier "
                          "n'a été créé pour elle.")
        .arg(trimBlanks(reference));
}

} // namespace orvel
