#include "SetupRules.h"

#include "common/FixedColumns.h"
#include "common/Windows1252.h"
#include "records/PotaPark.h"

#include <array>

namespace orvel {

namespace {

const std::array<SetupFieldRule, kSetupFieldCount> &rules()
{
    static const std::array<SetupFieldRule, kSetupFieldCount> table = {{
        {QStringLiteral("Activeur"), true, 10, QStringLiteral("10 caracteres maxi"), true,
         QStringLiteral("Nom de l'activeur obligatoire")},
        {QStringLiteral("Logger"), true, 10, QStringLiteral("10 caracteres maxi"), false, {}},
        {QStringLiteral("Num_Activite"), true, 13, QStringLiteral("13 caracteres maxi"), true,
         QStringLiteral("Numero de l'activité obligatoire")},
        {QStringLiteral("Nom_Activite"), false, 30, QStringLiteral("30 caracteres maxi"), true,
         QStringLiteral("Nom de l'activité obligatoire")},
        {QStringLiteral("Num_Canton"), true, 4, QStringLiteral("4 caracteres maxi"), false, {}},
        {QStringLiteral("Num_CP"), true, 5, QStringLiteral("5 caracteres maxi"), true,
         QStringLiteral("Numero du code postal obligatoire")},
        {QStringLiteral("Nom_Commune"), false, 26, QStringLiteral("26 caracteres maxi"), true,
         QStringLiteral("Nom de la commune obligatoire")},
        {QStringLiteral("Type_Activite"), false, 12, QStringLiteral("12 caracteres maxi"), true,
         QStringLiteral("Type de l'activité obligatoire")},
        {QStringLiteral("Date_Activite"), false, 8,
         QStringLiteral("8 caracteres pour la date JJ/MM/AA"), true,
         QStringLiteral("Date de l'activité obligatoire")},
    }};
    return table;
}

} // namespace

const SetupFieldRule &setupFieldRule(SetupField field)
{
    return rules().at(static_cast<std::size_t>(field));
}

SetupField setupFieldAt(int index)
{
    return static_cast<SetupField>(index);
}

std::optional<SetupField> nextSetupField(SetupField field)
{
    if (field == SetupField::DateActivite)
        return std::nullopt;
    return static_cast<SetupField>(static_cast<int>(field) + 1);
}

QString withCapitals(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return result;
}

std::optional<QString> fieldCheckMessage(SetupField field, const QString &text)
{
    if (const auto refused = firstRefusedCharacter(text))
        return refusedCharacterMessage(*refused);
    const SetupFieldRule &rule = setupFieldRule(field);
    const QString trimmed = trimBlanks(text);
    if (trimmed.size() > rule.longest)
        return rule.tooLongMessage;
    if (rule.required && trimmed.isEmpty())
        return rule.emptyMessage;
    return std::nullopt;
}

std::optional<QString> referenceRuleMessage(const QString &reference)
{
    if (const auto message = referenceNameMessage(reference))
        return message;
    if (!trimBlanks(reference).contains(QLatin1Char(' ')))
        return QStringLiteral("Attention indiquez le type d'activation (DFCF,DMF,TDC...) séparé "
                              "par un espace avant la référence\n") +
               QString(43, QLatin1Char(' ')) +
               QStringLiteral("Exemple DFCF 89010, DCPF 45PR001ou DMSM SA2587");
    return potaReferenceMessage(trimBlanks(reference));
}

QString duplicateReferenceQuestion()
{
    return QStringLiteral("Attention l'activité existe deja, continuer ?\n"
                          "Si OUI tous les QSO seront perdus\n"
                          "Si NON indicez la reference, exemple '_a'");
}

QString registrationQuestion(const QString &activationLine)
{
    return QStringLiteral("Enregistrer l'activation ?\n") + activationLine;
}

QString wffRuleMessage()
{
    return QStringLiteral(" Nouveau règlement WFF \n"
                          "Si en cours d'activation vous changez d'opérateur, n'oubliez pas "
                          "d'indiquer son indicatif dans la case 'opérateur' avant la saisie du "
                          "QSO ");
}

bool followsWffRule(const QString &reference)
{
    return reference.contains(QStringLiteral("FF"), Qt::CaseSensitive);
}

} // namespace orvel
