// cty.dat of any content: the conversion either refuses it with a French line number or gives
// a table whose every line is one prefix, longest first, each prefix once; and the same
// entities come out whatever the file's line ends (LF, CR LF, CR alone).
#include "FuzzSupport.h"
#include "views/CountryTable.h"
#include "views/CtyConversion.h"

#include <QRegularExpression>
#include <QSet>

#include <limits>

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(fuzz::bytesOf(data, size));
    const CtyConversion conversion = convertCtyDat(text);
    if (!conversion.ok()) {
        static const QRegularExpression told(
            QStringLiteral("^cty\\.dat(, ligne [1-9][0-9]* :| ne contient aucun préfixe)"));
        fuzz::require(told.match(conversion.error).hasMatch(), "l'erreur dit sa ligne");
        fuzz::require(conversion.lines.isEmpty(), "un fichier refusé ne donne aucune ligne");
    } else {
        QSet<QString> prefixes;
        qsizetype previous = std::numeric_limits<qsizetype>::max();
        const CountryTable table(conversion.lines);
        fuzz::require(table.skippedLines() == 0, "chaque ligne a ses champs");
        for (const QString &line : conversion.lines) {
            fuzz::require(line.count(QLatin1Char(';')) == 8, "chaque ligne a ses neuf champs");
            for (const QChar c : line)
                fuzz::require(c.unicode() >= 0x20, "aucun caractère de contrôle dans la table");
        }
        for (const CountryEntry &entry : table.entries()) {
            fuzz::require(!entry.prefix.isEmpty() && entry.prefix.size() <= previous,
                          "les préfixes les plus longs d'abord");
            fuzz::require(!prefixes.contains(entry.prefix), "chaque préfixe une fois");
            prefixes.insert(entry.prefix);
            previous = entry.prefix.size();
            fuzz::require(!entry.code.isEmpty() && entry.code.size() <= kCountryCodeWidth,
                          "un code de pays de 1 à 5 caractères");
            // The longest match of a prefix is its own line.
            fuzz::require(table.lookup(entry.prefix) == &entry, "un préfixe se trouve lui-même");
        }
    }

    // A file whose line ends are all of one other kind converts the same. Only when the file
    // holds no CR of its own: a CR LF of the input would become two line ends.
    if (!text.contains(QLatin1Char('\r'))) {
        for (const QString &lineEnd : {QStringLiteral("\r\n"), QStringLiteral("\r")}) {
            const CtyConversion other =
                convertCtyDat(QString(text).replace(QLatin1Char('\n'), lineEnd));
            fuzz::require(other.lines == conversion.lines &&
                              other.countries == conversion.countries,
                          "le même résultat quelles que soient les fins de ligne");
            // The message quotes the file's text, line ends and all: only its line is compared.
            fuzz::require(other.error.section(QStringLiteral(" : "), 0, 0) ==
                              conversion.error.section(QStringLiteral(" : "), 0, 0),
                          "la même erreur, à la même ligne");
        }
    }
    return 0;
}
