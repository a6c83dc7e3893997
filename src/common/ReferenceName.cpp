#include "ReferenceName.h"

#include "FixedColumns.h"
#include "TextFile.h"
#include "Windows1252.h"

namespace orvel {

namespace {

QString forbiddenCharacterMessage(QChar c)
{
    return QStringLiteral("Attention le caractere '%1' est interdit dans la référence").arg(c);
}

} // namespace

std::optional<QString> referenceNameMessage(const QString &reference)
{
    if (trimBlanks(reference).isEmpty())
        return QStringLiteral("Numero de l'activité obligatoire");
    if (reference.contains(QLatin1Char('/')))
        return forbiddenCharacterMessage(QLatin1Char('/'));
    for (const QChar c : reference) {
        if (QStringLiteral("\\:*?\"<>|").contains(c))
            return forbiddenCharacterMessage(c);
    }
    if (const auto refused = firstRefusedCharacter(reference))
        return refusedCharacterMessage(*refused);
    if (trimBlanks(reference).endsWith(QLatin1Char('.')))
        return QStringLiteral("Attention la référence ne doit pas se terminer par un point");
    if (reference.contains(QStringLiteral("..")))
        return QStringLiteral("Attention la suite '..' est interdite dans la référence");
    return std::nullopt;
}

QString refusedReferenceMessage(const QString &reference, const QString &why)
{
    return QStringLiteral("La référence « %1 » ne peut pas être ouverte : aucun fichier ne "
                          "peut porter ce nom.\n%2")
        .arg(reference, why);
}

std::optional<QString> firstRefusedReference(const QStringList &references)
{
    for (const QString &reference : references) {
        if (const auto why = referenceNameMessage(reference))
            return refusedReferenceMessage(reference, *why);
    }
    return std::nullopt;
}

QString referenceFilePath(const QString &folder, const QString &reference, const QString &suffix)
{
    if (referenceNameMessage(reference))
        return {};
    return dataFilePath(folder, reference + suffix);
}

} // namespace orvel
