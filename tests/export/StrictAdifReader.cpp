#include "StrictAdifReader.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <QTime>
#include <QVersionNumber>

namespace orvel::testing {

namespace {

const QSet<QString> kBands = {
    "2190M", "630M", "560M", "160M", "80M",    "60M", "40M", "30M",   "20M",  "17M",  "15M",
    "12M",   "10M",  "8M",   "6M",   "5M",     "4M",  "2M",  "1.25M", "70CM", "33CM", "23CM",
    "13CM",  "9CM",  "6CM",  "3CM",  "1.25CM", "6MM", "4MM", "2.5MM", "2MM",  "1MM",  "SUBMM"};

bool matches(const char *pattern, const QString &value)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern)))
        .match(value)
        .hasMatch();
}

// What is wrong with the value of a field the reader knows; empty when it is sound or unknown.
QString valueError(const QString &name, const QString &value)
{
    if (value.isEmpty())
        return {}; // an empty field is an absent one
    if (name == "QSO_DATE" &&
        (!matches("\\d{8}", value) || !QDate::fromString(value, "yyyyMMdd").isValid() ||
         value < "19300101"))
        return "date " + value;
    if ((name == "TIME_ON" || name == "TIME_OFF") &&
        !QTime::fromString(value, value.size() == 4 ? "HHmm" : "HHmmss").isValid())
        return "heure " + value;
    if (name == "BAND" && !kBands.contains(value.toUpper()))
        return "bande " + value;
    if ((name == "MY_POTA_REF" || name == "POTA_REF") &&
        !matches("[A-Z0-9]{1,4}-\\d{4,5}(@[A-Z0-9-]+)?(,[A-Z0-9]{1,4}-\\d{4,5}(@[A-Z0-9-]+)?)*",
                 value))
        return "parc " + value;
    if ((name == "CALL" || name == "STATION_CALLSIGN" || name == "OPERATOR") &&
        !matches("[A-Za-z0-9/]+", value))
        return "indicatif " + value;
    return {};
}

} // namespace

AdifDocument readStrictAdif(const QByteArray &file)
{
    AdifDocument document;
    for (const char c : file) {
        if ((c < 32 || c > 126) && c != '\r' && c != '\n') {
            document.error = QString("octet %1 hors de l'ASCII").arg(int(uchar(c)));
            return document;
        }
    }
    const QString text = QString::fromLatin1(file);
    // Free text is allowed before the header's first field only.
    qsizetype at = text.startsWith('<') ? 0 : text.indexOf('<');
    bool inHeader = !text.startsWith('<');
    AdifFields fields;
    static const QRegularExpression specifier("<([A-Za-z0-9_]+)(?::(\\d+)(?::[A-Za-z])?)?>");
    while (at >= 0 && at < text.size()) {
        const QRegularExpressionMatch match =
            specifier.match(text, at, QRegularExpression::NormalMatch,
                            QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch()) {
            document.error = QString("balise illisible à %1").arg(at);
            return document;
        }
        const QString name = match.captured(1).toUpper();
        at = match.capturedEnd();
        if (name == "EOH" || name == "EOR") {
            if (name == "EOH" ? !inHeader : inHeader) {
                document.error = QString("<%1> mal placé").arg(name);
                return document;
            }
            (inHeader ? document.header : document.records.emplace_back()) = fields;
            fields.clear();
            inHeader = false;
        } else {
            if (match.captured(2).isEmpty()) {
                document.error = "longueur absente : " + name;
                return document;
            }
            const qsizetype length = match.captured(2).toLongLong();
            const QString value = text.mid(at, length);
            if (value.size() != length || fields.contains(name)) {
                document.error = "champ coupé ou répété : " + name;
                return document;
            }
            if (const QString wrong = valueError(name, value); !wrong.isEmpty()) {
                document.error = name + " : " + wrong;
                return document;
            }
            fields.insert(name, value);
            at += length;
        }
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        if (at < text.size() && text.at(at) != '<') {
            document.error = QString("texte hors d'un champ à %1").arg(at);
            return document;
        }
    }
    if (!fields.isEmpty() || inHeader) {
        document.error = "fichier non terminé par <eor>";
        return document;
    }
    const auto version = QVersionNumber::fromString(document.header.value("ADIF_VER"));
    for (const AdifFields &record : document.records) {
        if (record.value("CALL").isEmpty())
            document.error = "QSO sans indicatif";
        if (record.contains("MY_POTA_REF") && version < QVersionNumber(3, 1, 4))
            document.error = "MY_POTA_REF demande ADIF 3.1.4, l'en-tête dit " +
                             document.header.value("ADIF_VER");
    }
    return document;
}

} // namespace orvel::testing
