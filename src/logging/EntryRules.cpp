#include "EntryRules.h"

#include "common/DateTimeText.h"
#include "records/Bands.h"
#include "records/QsoLine.h"

namespace orvel {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

struct ReportTexts {
    QString missing;
    QString threeCharacters;
    QString cwRange;
    QString twoCharacters;
    QString range;
};

const ReportTexts &receivedTexts()
{
    static const ReportTexts texts{
        QStringLiteral("Le report reçu est obligatoire"),
        QStringLiteral("3 caracteres pour le report reçu"),
        QStringLiteral("RST reçu 111 mini 599 maxi"),
        QStringLiteral("2 caracteres pour le report reçu"),
        QStringLiteral("RST reçu 11 mini 59 maxi"),
    };
    return texts;
}

const ReportTexts &sentTexts()
{
    static const ReportTexts texts{
        QStringLiteral("Le report envoyé est obligatoire"),
        QStringLiteral("3 caracteres pour le report envoyé"),
        QStringLiteral("RST envoyé 111 mini 599 maxi"),
        QStringLiteral("2 caracteres pour le report envoyé"),
        QStringLiteral("RST envoyé 11 mini 59 maxi"),
    };
    return texts;
}

bool isCw(const QString &mode)
{
    return mode == QLatin1String("CW");
}

FieldCheck checkReport(const QString &text, const QString &mode, const ReportTexts &texts)
{
    if (text.isEmpty())
        return FieldCheck::refuse(texts.missing, false);
    const int value = leadingNumber(text);
    if (isCw(mode)) {
        if (text.size() != 3)
            return FieldCheck::refuse(texts.threeCharacters, true);
        if (value > 599 || value < 111)
            return FieldCheck::refuse(texts.cwRange, true);
        return FieldCheck::pass();
    }
    if (text.size() != 2)
        return FieldCheck::refuse(texts.twoCharacters, true);
    if (value > 59 || value < 11)
        return FieldCheck::refuse(texts.range, true);
    return FieldCheck::pass();
}

FieldCheck checkReportWidth(const QString &text, const QString &mode, const ReportTexts &texts)
{
    if (text.size() <= 3)
        return FieldCheck::pass();
    return FieldCheck::refuse(isCw(mode) ? texts.threeCharacters : texts.twoCharacters, false);
}

FieldCheck checkMaximum(const QString &text, int maximum, const QString &message)
{
    return text.size() > maximum ? FieldCheck::refuse(message, false) : FieldCheck::pass();
}

} // namespace

int controleDate(const QString &text)
{
    return hasDateForm(text) ? 0 : 1;
}

int controleHeure(const QString &text)
{
    return hasTimeForm(text) ? 0 : 1;
}

int leadingNumber(const QString &text)
{
    int value = 0;
    for (const QChar c : text) {
        if (!isDigit(c))
            break;
        // Only short texts reach here; the cap keeps a pasted run of digits from overflowing.
        value = std::min(value * 10 + (c.unicode() - '0'), 1000000);
    }
    return value;
}

FieldCheck checkCall(const QString &text)
{
    if (text.size() > 12)
        return FieldCheck::refuse(QStringLiteral("12 caracteres maxi"), false);
    if (text.isEmpty())
        return FieldCheck::refuse(QStringLiteral("Entrez un indicatif"), false);
    return FieldCheck::pass();
}

FieldCheck checkDepartment(const QString &text)
{
    if (text.size() != 2)
        return FieldCheck::refuse(QStringLiteral("2 caractères pour le département"), true);
    if (!isDigit(text.at(0)))
        return FieldCheck::refuse(QStringLiteral("Que des chiffres pour le 1er caractère"), true);
    const QChar second = text.at(1);
    if (!isDigit(second)) {
        if (QStringLiteral("abAB").contains(second)) {
            if (text.at(0) != QLatin1Char('2'))
                return FieldCheck::refuse(QStringLiteral("Que des chiffres ou 2a ou 2b)"), true);
        } else {
            return FieldCheck::refuse(QStringLiteral("Département 2a ou 2b uniquement)"), true);
        }
    }
    if (leadingNumber(text) > 95)
        return FieldCheck::refuse(QStringLiteral("Départements N° de 00 à 95"), true);
    return FieldCheck::pass();
}

FieldCheck checkFirstName(const QString &text)
{
    return checkMaximum(text, 15, QStringLiteral("15 caracteres maxi"));
}

FieldCheck checkReportReceived(const QString &text, const QString &mode)
{
    return checkReport(text, mode, receivedTexts());
}

FieldCheck checkReportSent(const QString &text, const QString &mode)
{
    return checkReport(text, mode, sentTexts());
}

FieldCheck checkRemarks(const QString &text)
{
    return checkMaximum(text, 30, QStringLiteral("30 caracteres maxi"));
}

FieldCheck checkBand(const QString &text)
{
    return checkMaximum(text, 3, QStringLiteral("3 caracteres maxi"));
}

FieldCheck checkMode(const QString &text)
{
    // The message says 3 although the record holds 4 characters: the operators know it so.
    return checkMaximum(text, 4, QStringLiteral("3 caracteres maxi"));
}

FieldCheck checkOperator(const QString &text)
{
    return checkMaximum(text, 12, QStringLiteral("12 caracteres maxi"));
}

FieldCheck checkDateOnEnter(const QString &text)
{
    if (controleDate(text) == 0)
        return FieldCheck::pass();
    return FieldCheck::refuse(
        QStringLiteral("Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques"),
        true);
}

FieldCheck checkDateOnStoreKey(const QString &text)
{
    if (controleDate(text) == 0)
        return FieldCheck::pass();
    return FieldCheck::refuse(
        QStringLiteral("Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques "),
        true);
}

FieldCheck checkTimeOnEnter(const QString &text)
{
    if (controleHeure(text) == 0)
        return FieldCheck::pass();
    return FieldCheck::refuse(
        QStringLiteral("Attention le format de l'heure doit etre hhmm les ':' sont automatique"),
        true);
}

FieldCheck checkTimeOnStoreKey(const QString &text)
{
    if (text.size() != 5) {
        return FieldCheck::refuse(QStringLiteral("Attention 5 caracteres pour l'heure (format "
                                                 "hh:mm. Les ':' sont automatique)"),
                                  false);
    }
    const QString digitsOnly = text.left(2) + QLatin1Char(':') + text.right(2);
    if (controleHeure(digitsOnly) != 0)
        return FieldCheck::refuse(QStringLiteral("Attention le format de l'heure doit etre hh:mm"),
                                  false);
    if (controleHeure(text) != 0)
        return FieldCheck::refuse(QStringLiteral("Attention le format date doit etre hh:mm"),
                                  false);
    return FieldCheck::pass();
}

FieldCheck checkDepartmentWidth(const QString &text)
{
    return checkMaximum(text, 2, QStringLiteral("2 caractères pour le département"));
}

FieldCheck checkReportReceivedWidth(const QString &text, const QString &mode)
{
    return checkReportWidth(text, mode, receivedTexts());
}

FieldCheck checkReportSentWidth(const QString &text, const QString &mode)
{
    return checkReportWidth(text, mode, sentTexts());
}

bool isFrenchCall(const QString &call)
{
    if (call.startsWith(QLatin1Char('F')) || call.startsWith(QLatin1Char('f')))
        return true;
    static const QStringList prefixes = {
        QStringLiteral("TH"), QStringLiteral("TK"), QStringLiteral("TM"), QStringLiteral("TP"),
        QStringLiteral("TQ"), QStringLiteral("TV"), QStringLiteral("TW"), QStringLiteral("HW"),
        QStringLiteral("HX"), QStringLiteral("HY"),
    };
    return prefixes.contains(call.left(2));
}

QString defaultReport(const QString &mode)
{
    return isCw(mode) ? QStringLiteral("599") : QStringLiteral("59");
}

QString defaultOperator(const QString &activatorCall)
{
    const qsizetype slash = activatorCall.indexOf(QLatin1Char('/'));
    return slash < 0 ? activatorCall : activatorCall.left(slash);
}

QString activationTitle(const QString &activator, const QString &logger)
{
    return QStringLiteral("Orvel d'activité de ") + activator + QStringLiteral(" au log ") +
           (logger.isEmpty() ? activator : logger);
}

QString openReferencesText(const QStringList &references)
{
    QString text;
    for (const QString &reference : references)
        text += reference + QLatin1Char(' ');
    return text;
}

QString entryCaption(const QString &revision)
{
    return QStringLiteral("  Brivo Orvel Multi    Revision ") + revision;
}

QString listHeader()
{
    return QStringLiteral(" N°   Date    Heure  Indicatif     Dpt  Prenom        RST R  E   Mode  "
                          " Bande    Observations");
}

QString listHeading()
{
    return headingLine(listEntryTitles(QStringLiteral("Heure")));
}

QStringList entryModes()
{
    return {QStringLiteral("SSB"), QStringLiteral("CW"),  QStringLiteral("FT8"),
            QStringLiteral("PSK"), QStringLiteral("TTY"), QStringLiteral("FM")};
}

QStringList entryBands()
{
    return bandTexts();
}

QString reportAfterRadioMode(const QString &report, const QString &oldMode, const QString &newMode,
                             bool qsoUnderWay)
{
    if (!qsoUnderWay || report == defaultReport(oldMode))
        return defaultReport(newMode);
    return report;
}

} // namespace orvel
