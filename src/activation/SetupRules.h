// The rules of the nine activation fields of the setup window: typing, the checks made on
// Enter with their messages, the reference rules, and the texts the window shows.
#pragma once

#include "common/ReferenceName.h"

#include <QString>
#include <optional>

namespace orvel {

// The nine fields, in the order of the keyboard chain.
enum class SetupField {
    Activeur,
    Logger,
    NumActivite,
    NomActivite,
    NumCanton,
    NumCP,
    NomCommune,
    TypeActivite,
    DateActivite,
};
inline constexpr int kSetupFieldCount = 9;

struct SetupFieldRule {
    QString objectName;
    bool capitals; // a to z become capitals while typing
    int longest;   // trimmed length
    QString tooLongMessage;
    bool required;
    QString emptyMessage;
};

const SetupFieldRule &setupFieldRule(SetupField field);
SetupField setupFieldAt(int index);
// The field that Enter leads to; none after the date.
std::optional<SetupField> nextSetupField(SetupField field);

// a to z replaced by their capitals; accented letters and other characters unchanged.
QString withCapitals(const QString &text);

// The message refusing text when Enter is pressed in field, checked in this order: a
// character the data files cannot hold, the length of the trimmed text, then emptiness (a
// text of blanks only counts as empty). Nothing when the field passes.
std::optional<QString> fieldCheckMessage(SetupField field, const QString &text);

// The reference rules applied after the field check: the name rules, the blank that
// separates the programme from the number, then the form of a POTA park.
std::optional<QString> referenceRuleMessage(const QString &reference);

QString duplicateReferenceQuestion();
QString registrationQuestion(const QString &activationLine);
QString wffRuleMessage();
// References whose programme follows the WFF rule (the letters FF, in capitals, anywhere).
bool followsWffRule(const QString &reference);

inline const QString kThreeFieldsRequired =
    QStringLiteral("Les trois premiers champs sont obligatoires");
inline const QString kActivationRegistered = QStringLiteral("Nouvelle Activation enregistrée");
inline const QString kActivationContinues =
    QStringLiteral("Activation en cours, pret pour continuer la saisie des QSO");
inline const QString kActivationStarts =
    QStringLiteral("Nouvelle Activation, pret pour demarrer la saisie des QSO");

} // namespace orvel
