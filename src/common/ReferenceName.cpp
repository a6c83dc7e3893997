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

// The names of the program's own files, with and without their extension: the first-name
// memory, the activation list, the country table, the data folder's lock, the journal of writes
// to several logs and the scratch files of the former program. A reference of one of these
// names would make its log, or an export of it, one of these files.
bool isProgramFileName(const QString &name)
{
    static const QStringList names{
        QStringLiteral("Liste_Prenom"),    QStringLiteral("Liste_Prenom.txt"),
        QStringLiteral("Liste_Activite"),  QStringLiteral("Liste_Activite.txt"),
        QStringLiteral("Continents_DXCC"), QStringLiteral("Continents_DXCC.csv"),
        QStringLiteral("Orvel_Multi"),     QStringLiteral("Orvel_Multi.lock"),
        QStringLiteral("Orvel_Multi.journal"),
        QStringLiteral("Temporaire"),      QStringLiteral("Temporaire.txt"),
        QStringLiteral("Temporaire6"),     QStringLiteral("Temporaire6.txt")};
    if (names.contains(name, Qt::CaseInsensitive))
        return true;
    // The scratch files of this program ("Temporaire-" and the writer's number...).
    return name.startsWith(QStringLiteral("Temporaire-"), Qt::CaseInsensitive);
}

} // namespace

QString shownReference(const QString &reference)
{
    QString shown;
    shown.reserve(reference.size());
    for (const QChar c : reference) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

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
    if (isProgramFileName(trimBlanks(reference)))
        return QStringLiteral("Attention « %1 » est le nom d'un fichier du programme : il ne "
                              "peut pas servir de référence")
            .arg(trimBlanks(reference));
    return std::nullopt;
}

QString refusedReferenceMessage(const QString &reference, const QString &why)
{
    return QStringLiteral("La référence « %1 » ne peut pas être ouverte : aucun fichier ne "
                          "peut porter ce nom.\n%2")
        .arg(shownReference(reference), why);
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
